// The viewer's commands: the language, external-program, key and variable
// ranges and the fixed commands that switch state, move through the keys,
// show and place the bars, print, open dialogs and notes. Both frame windows
// hand their commands here with the face they show, and ask here how their
// buttons and menu entries stand.
#include <cstdlib>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CImage.h"
#include "Main/CPicView.h"
#include "Main/CLanguageDlg.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/FrameBars.h"
#include "Main/KeyCommand.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "foundation/CIniClass.h"
#include "mfc/CCmdUI.h"
#include "mfc/CFile.h"
#include "interfaces/ProtocolCommands.h"
#include "user/Menus.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_NOT_STARTED = 252;
constexpr int ERR_KEY_ENTRY = 520;
constexpr int ERR_VARIABLE_ENTRY = 540;
constexpr int ERR_VARIABLE_SET = 307;
constexpr UINT kAppAbout = 0xE140;
constexpr int kZoomWhole = 0;
constexpr int kZoomPart = -2;

struct VariableRange {
  UINT first;
  BYTE type;
  int evalError;
};

// 1000 to 2199: CHAR, LONG, FLOAT, BOOL, DUD, DUDCH, two hundred ids each.
constexpr VariableRange kVariableRanges[] = {{1000, VAR_CHAR, 261}, {1200, VAR_LONG, 263}, {1400, VAR_FLOAT, 262},
                                             {1600, VAR_BOOL, 264}, {1800, VAR_DUD, 263}, {2000, VAR_DUDCH, 261}};

// The commands' errors name the frame window that received the command.
CErrorTrace* PushFor(HWND receiver, int line) {
  const CViewerApp* app = theGlobals.m_papp;
  const bool popup = app != nullptr && receiver != nullptr && receiver == app->m_hPopupWnd;
  return CErrorTrace::Push(popup ? "Main/CPopup.cpp" : "Main/CMainFrame.cpp", __TIMESTAMP__, line);
}

BOOL Report(CErrorTrace* own, int line, int code, const char* detail, int value) {
  own->Fail(line, SEVERITY_ERROR, code, detail, value);
  CErrorDlg::ReportAndRemove(own);
  return TRUE;
}

bool Evaluate(const CString& command, BYTE type, VarValue& value) {
  CDynBuf code;
  code.Append(command);
  CWV4Db& db = *theGlobals.m_pinterp;
  switch (type) {
    case VAR_CHAR:
    case VAR_DUDCH: return db.EvalString(code, value.text, FALSE, TRUE, nullptr) != FALSE;
    case VAR_FLOAT: return db.EvalFloat(code, value.fval, FALSE, TRUE, nullptr) != FALSE;
    case VAR_BOOL: return db.EvalBool(code, value.bval, FALSE, TRUE, nullptr) != FALSE;
    default: return db.EvalLong(code, value.lval, FALSE, TRUE, nullptr) != FALSE;
  }
}

void PostShowKey(HWND receiver, const CString& key, WPARAM fromLink) { PostKeyCommand(receiver, fromLink, key); }

// The key on the screen read and laid out anew.
void ShowAgain(HWND receiver) {
  theGlobals.m_cur_varbuf.Empty();
  PostShowKey(receiver, theGlobals.m_cur_prj_key, 0);
}

// The folder is made when the path does not exist yet.
void MakeFolder(const CString& path) {
  if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
    CreateDirectory(path, nullptr);
}

// The toolbars of both frame windows, where they exist.
template <typename Action>
void ForEachToolBar(Action action) {
  if (CMainFrame* main = ViewerMainFrame()) action(main->GetToolBar());
  if (CPopup* popup = ViewerPopup()) action(popup->GetToolBar());
}

// A command that only works while another is on: its buttons, and the main
// menu's entry where the main toolbar shows the button, follow that state.
void EnableDependentCommand(UINT command, BOOL enable) {
  if (CMainFrame* main = ViewerMainFrame(); main != nullptr && main->GetToolBar().IsButtonVisible(command)) {
    main->GetToolBar().EnableButton(command, enable);
    main->EnableMenuCommand(command, enable);
  }
  if (CPopup* popup = ViewerPopup(); popup != nullptr && popup->GetToolBar().IsButtonVisible(command))
    popup->GetToolBar().EnableButton(command, enable);
}

void ShowDataLanguage() {
  if (CMainFrame* main = ViewerMainFrame()) main->SetPaneText(4, theGlobals.m_language);
}

// The order-list program learns the new data language. One that was never
// started is not looked for: the viewer runs without one and without an
// error box, as at its start.
void TellDataLanguage(CViewerApp& app) {
  if (app.m_prot_pid == 0) return;
  CDynBuf name;
  name.Append(theGlobals.m_language);
  name.Append('\0');
  app.SendProtocolData(PROTOCOL_CMD_DATA_LANGUAGE, &name);
}

// Both toolbars and the status bar are shown or hidden at once.
void ShowToolBars(BOOL show) {
  if (CMainFrame* main = ViewerMainFrame()) main->ShowControlBar(&main->GetToolBar(), show, FALSE);
  if (CPopup* popup = ViewerPopup()) popup->ShowControlBar(&popup->GetToolBar(), show, FALSE);
}

void ShowStatusBar(BOOL show) {
  if (CMainFrame* main = ViewerMainFrame()) main->ShowControlBar(&main->GetStatusBar(), show, FALSE);
}

// Toolbars that may be moved go back to their default sides.
void DockToolBarsAtDefault() {
  CWV4Globals& g = theGlobals;
  if (CMainFrame* main = ViewerMainFrame(); main != nullptr && g.m_toolbar_mode_frm) {
    g.m_toolbar_place_user_frm = g.m_toolbar_place_default_frm;
    main->DockControlBar(&main->GetToolBar(), DockBarOfPlace(g.m_toolbar_place_user_frm));
  }
  if (CPopup* popup = ViewerPopup(); popup != nullptr && g.m_toolbar_mode_pop) {
    g.m_toolbar_place_user_pop = g.m_toolbar_place_default_pop;
    popup->DockControlBar(&popup->GetToolBar(), DockBarOfPlace(g.m_toolbar_place_user_pop));
  }
}

void SetRasters(CFace* face, BOOL on) {
  if (face == nullptr) return;
  for (const auto& frame : face->m_frames) {
    if (frame->HasPicture()) frame->SetRaster(on);
  }
}

}  // namespace

// The button of the command on both toolbars and the main menu's entry.
void CViewerApp::CheckCommand(int command, BOOL check) {
  HMENU menu = m_hMainWnd != nullptr ? GetMenu(m_hMainWnd) : nullptr;
  if (menu != nullptr) CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CViewerApp::EnableCommand(int command, BOOL enable) {
  const auto id = static_cast<UINT>(command);
  if (CMainFrame* main = ViewerMainFrame()) {
    if (main->GetToolBar().IsButtonEnabled(id) != enable) main->GetToolBar().EnableButton(id, enable);
    main->EnableMenuCommand(id, enable);
  }
  if (CPopup* popup = ViewerPopup()) popup->GetToolBar().EnableButton(id, enable);
}

// The toolbars print with command 320, the menu with 321.
void CViewerApp::EnablePrint(BOOL enable) {
  m_print_busy = enable ? FALSE : TRUE;
  if (CMainFrame* main = ViewerMainFrame()) {
    if (main->GetToolBar().IsButtonEnabled(320) != enable) main->GetToolBar().EnableButton(320, enable);
    main->EnableMenuCommand(321, enable);
  }
  if (CPopup* popup = ViewerPopup()) popup->GetToolBar().EnableButton(320, enable);
}

// The rest of the start that needs the frame windows: the menu bar and
// the accelerators from the menu file, the palette, the toolbar shown.
void CViewerApp::BuildFrameMenus() {
  CMainFrame* main = ViewerMainFrame();
  if (main != nullptr) {
    main->BuildDataMenu();
    main->LoadAccelerators();
  }
  if (CPopup* popup = ViewerPopup()) popup->LoadAccelerators();
  if (main == nullptr) return;
  HDC dc = ::GetDC(main->m_hWnd);
  HPALETTE previous = SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  RealizePalette(dc);
  theGlobals.m_show_toolbar = TRUE;
  main->ShowControlBar(&main->GetToolBar(), TRUE, FALSE);
  SelectPalette(dc, previous, FALSE);
  ::ReleaseDC(main->m_hWnd, dc);
}

// The notes of a key lie in the user's folder on a terminal server, each
// user his own, else where VARNO_NOTIZ says or in the program's folder.
CString CViewerApp::NotesFile() {
  const CWV4Globals& g = theGlobals;
  CString folder;
  if (g.m_is_terminal_server) {
    folder = g.m_user_file_path + "\\Notizen";
    MakeFolder(folder);
    folder += "\\Sonstige";
    MakeFolder(folder);
  } else {
    VarValue value;
    folder = g.m_pvar != nullptr && g.m_pvar->GetVar("VARNO_NOTIZ", &value) == VAR_CHAR ? value.text : g.m_app_dir;
  }
  CString file = folder + "\\" + g.m_notiz_name;
  if (g.m_notiz_name.Find('.') < 0) file += ".notiz";
  return file;
}

BOOL CViewerApp::RunRangeCommand(HWND receiver, UINT id) {
  CWV4Globals& g = theGlobals;
  if (id >= 400 && id <= 429) {
    for (int i = 0; g.m_lang_prg != nullptr && i < g.m_lang_prg_num; ++i) {
      if (g.m_lang_prg[i].cmdid == static_cast<int>(id)) SetProgramLanguage(g.m_lang_prg[i].lang_code);
    }
    return TRUE;
  }
  if (id >= 430 && id <= 459) {
    for (int i = 0; g.m_lang_data != nullptr && i < g.m_lang_data_num; ++i) {
      if (g.m_lang_data[i].cmdid != static_cast<int>(id)) continue;
      ChangeDataLanguage(receiver, g.m_lang_data[i].lang_code, static_cast<int>(id));
      break;
    }
    return TRUE;
  }
  if (id >= 460 && id <= 819) {
    CErrorTrace* own = PushFor(receiver, __LINE__);
    DWORD process = 0;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Run(static_cast<int>(id), id >= 640, nullptr, &process))
      return Report(own, __LINE__, ERR_NOT_STARTED, "", static_cast<int>(id));
    CErrorTrace::Remove(own);
    return TRUE;
  }
  if (id >= 820 && id <= 999) {
    CErrorTrace* own = PushFor(receiver, __LINE__);
    int flag = 0;
    CString command;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Find(static_cast<int>(id), g.m_tmpkey, flag, command))
      return Report(own, __LINE__, ERR_KEY_ENTRY, "", static_cast<int>(id));
    CErrorTrace::Remove(own);
    g.m_cur_varbuf.Empty();
    PostShowKey(receiver, g.m_tmpkey, 1);
    return TRUE;
  }
  for (const VariableRange& range : kVariableRanges) {
    if (id < range.first || id >= range.first + 200) continue;
    CErrorTrace* own = PushFor(receiver, __LINE__);
    CString name;
    int flag = 0;
    CString command;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Find(static_cast<int>(id), name, flag, command))
      return Report(own, __LINE__, ERR_VARIABLE_ENTRY, "", static_cast<int>(id));
    VarValue value;
    if (!Evaluate(command, range.type, value)) return Report(own, __LINE__, range.evalError, command, 0);
    if (!g.m_pvar->SetVar(name, value, range.type)) return Report(own, __LINE__, ERR_VARIABLE_SET, name, range.type);
    CErrorTrace::Remove(own);
    if (flag != 0) ShowAgain(receiver);
    return TRUE;
  }
  return FALSE;
}

void CViewerApp::ChangeDataLanguage(HWND receiver, const CString& language, int command) {
  SetDataLanguage(language);
  CheckCommand(command, TRUE);
  ShowDataLanguage();
  TellDataLanguage(*this);
  ShowAgain(receiver);
}

// A switch: the member flips and the command's buttons and menu entry follow it.
static void Switch(CViewerApp& app, BOOL& member, int command) {
  member = member ? FALSE : TRUE;
  ForEachToolBar([&](CWV4ToolBar& bar) { bar.CheckButton(static_cast<UINT>(command), member); });
  app.CheckCommand(command, member);
}

BOOL CViewerApp::RunViewerCommand(HWND receiver, CFace* face, UINT id) {
  CWV4Globals& g = theGlobals;
  if (id == 0) return FALSE;
  if (RunRangeCommand(receiver, id)) return TRUE;
  CString key;
  switch (id) {
    case 300:
      Switch(*this, g.m_raster_on, 300);
      EnableDependentCommand(301, g.m_raster_on);
      SetRasters(face, g.m_raster_on);
      return TRUE;
    case 301: Switch(*this, g.m_raster_text, 301); return TRUE;
    case 302:
    case 303: {
      const CString& neighbour = id == 302 ? g.m_leftneighbour : g.m_rightneighbour;
      if (neighbour.IsEmpty()) return TRUE;
      g.m_cur_varbuf.Empty();
      PostShowKey(receiver, neighbour, 0);
      return TRUE;
    }
    case 304:
      g.m_phistory->GetAllData(g.m_cur_varbuf);
      g.m_phistory->RemoveAll();
      PostShowKey(receiver, g.m_key_start, 0);
      return TRUE;
    case 305:
    case 315: {
      const BOOL found = id == 305 ? g.m_phistory->Pop(g.m_tmpkey, g.m_cur_varbuf)
                                   : g.m_phistory->PopToMark(g.m_tmpkey, g.m_cur_varbuf);
      if (found) {
        PostShowKey(receiver, g.m_tmpkey, 0);
      } else {
        g.m_phistory->RemoveAll();
        PostShowKey(receiver, g.m_key_start, 0);
      }
      return TRUE;
    }
    case 306:
      Switch(*this, g.m_prot_visible, 306);
      PostProtocolCommand(g.m_prot_visible ? PROTOCOL_CMD_SHOW : PROTOCOL_CMD_HIDE, 0);
      return TRUE;
    case 307:
      g.m_protmodus = (g.m_protmodus & 1) ? 0 : 1;
      CheckCommand(307, g.m_protmodus == 1);
      return TRUE;
    case 308:
      Switch(*this, g.m_hs_connect_onoff, 308);
      EnableDependentCommand(309, g.m_hs_connect_onoff);
      return TRUE;
    case 309: Switch(*this, g.m_hs_connect_use_timer, 309); return TRUE;
    case 311: PostMessage(receiver, WM_CLOSE, 0, 0); return TRUE;
    case 312: PostMessage(receiver, WM_COMMAND, kAppAbout, 0); return TRUE;
    case 313:
      Switch(*this, g.m_show_toolbar, 313);
      ShowToolBars(g.m_show_toolbar);
      return TRUE;
    case 314:
      Switch(*this, g.m_show_statusbar, 314);
      ShowStatusBar(g.m_show_statusbar);
      return TRUE;
    case 316:
      if (face != nullptr) face->StartZoom();
      return TRUE;
    case 317:
      if (face != nullptr) face->ZoomWhole();
      return TRUE;
    case 318:
      if (face != nullptr) face->ZoomPart();
      return TRUE;
    case 319: {
      DWORD process = 0;
      if (g.m_pextprg != nullptr) g.m_pextprg->Run(g.m_notiz_cmdid, FALSE, NotesFile(), &process);
      return TRUE;
    }
    case 320:
    case 321:
      if (face != nullptr) face->Print(id == 320 ? 0 : 1);
      return TRUE;
    case 323:
      if (face != nullptr) face->RemoveUserFile();
      PostShowKey(receiver, g.m_cur_prj_key, 0);
      return TRUE;
    case 324:
      CFace::RemoveUserFiles();
      PostShowKey(receiver, g.m_cur_prj_key, 0);
      return TRUE;
    case 325: RunLanguageDialog(receiver); return TRUE;
    case 326:
      g.m_phistory->RemoveAll();
      PostShowKey(receiver, g.m_key_start, 0);
      return TRUE;
    case 327: DockToolBarsAtDefault(); return TRUE;
    default: return FALSE;  // the frame window's own
  }
}

void CViewerApp::RunLanguageDialog(HWND receiver) {
  CWV4Globals& g = theGlobals;
  CLanguageDlg dialog(CWnd::FromHandle(receiver));
  if (dialog.DoModal() != IDOK) return;
  if (dialog.m_result & CLanguageDlg::kProgramLanguage) SetProgramLanguage(dialog.m_program_language);
  if (!(dialog.m_result & CLanguageDlg::kDataLanguage)) return;
  SetDataLanguage(dialog.m_data_language);
  CheckCommand(dialog.m_data_command, TRUE);
  ShowDataLanguage();
  TellDataLanguage(*this);
  g.m_cur_varbuf.Empty();
  if (g.m_pini != nullptr) g.m_pini->WriteKey("VARIABLES_CHAR", "DATALANGUAGE", "\"" + g.m_language + "\"", g.m_main_user_ini, 0);
  PostShowKey(receiver, g.m_cur_prj_key, 0);
}

namespace {

// The pictures of every frame of the face, and the last one.
int FacePictureCount(const CFace* face, CImage*& last) {
  int count = 0;
  last = nullptr;
  if (face == nullptr) return 0;
  for (const auto& frame : face->m_frames) {
    for (const FrameChild& child : frame->m_children) {
      if (CImage* picture = child.Picture()) {
        ++count;
        last = picture;
      }
    }
  }
  return count;
}

// The zoom commands work on a face with one picture; the whole and the
// part view show which of them the picture has.
void UpdateZoom(CCmdUI& ui, const CFace* face) {
  CImage* picture = nullptr;
  const bool one = FacePictureCount(face, picture) == 1;
  ui.Enable(one);
  if (ui.m_nID == 316) return;
  const CPicView* view = one ? picture->GetPicView() : nullptr;
  const int wanted = ui.m_nID == 317 ? kZoomWhole : kZoomPart;
  ui.SetCheck(view != nullptr && view->GetZoom() == wanted);
}

bool NotesExist() {
  CFile file;
  return file.Open(theGlobals.m_papp->NotesFile(), CFile::modeRead | CFile::shareDenyNone) && file.GetLength() >= 1;
}

// The print commands: the toolbars' 320 and the main menu's 321 together.
void UpdatePrint(CCmdUI& ui, CMultiFrame& frame, bool popup) {
  const BOOL enable = !theGlobals.m_papp->m_print_busy;
  if (popup) {
    static_cast<CPopup&>(frame).GetToolBar().EnableButton(320, enable);
  } else {
    auto& main = static_cast<CMainFrame&>(frame);
    main.GetToolBar().EnableButton(320, enable);
    main.EnableMenuCommand(321, enable);
  }
  ui.m_bEnableChanged = TRUE;
}

void UpdateNotes(CCmdUI& ui) {
  const BOOL allowed = theGlobals.m_notiz_allowed;
  ui.Enable(allowed);
  if (!allowed) return;
  const BOOL exist = NotesExist();
  if (auto* bar = dynamic_cast<CWV4ToolBar*>(ui.m_pOther)) bar->SetButtonImageState(319, exist);
  else if (ui.m_pMenu != nullptr) ui.SetCheck(exist);
}

// Shown or hidden by the user through the window's own means too.
void UpdateBarShown(CCmdUI& ui, CControlBar& bar, BOOL& shown) {
  shown = bar.m_hWnd != nullptr && (bar.GetStyle() & WS_VISIBLE) ? TRUE : FALSE;
  ui.SetCheck(shown);
  ui.m_bEnableChanged = TRUE;
}

}  // namespace

void UpdateViewerCommand(CCmdUI& ui, CMultiFrame& frame) {
  CWV4Globals& g = theGlobals;
  const bool popup = dynamic_cast<CPopup*>(&frame) != nullptr;
  const bool history = g.m_phistory != nullptr && g.m_phistory->GetCount() > 0;
  switch (ui.m_nID) {
    case 300: ui.SetCheck(g.m_raster_on); break;
    case 302: ui.Enable(!g.m_leftneighbour.IsEmpty()); return;
    case 303: ui.Enable(!g.m_rightneighbour.IsEmpty()); return;
    case 305:
    case 315: ui.Enable(history); return;
    case 306: ui.SetCheck(g.m_prot_visible); break;
    case 307: ui.SetCheck(g.m_protmodus == 1); break;
    case 308: ui.SetCheck(g.m_hs_connect_onoff); break;
    case 309: ui.SetCheck(g.m_hs_connect_use_timer); break;
    case 313:
      if (!popup) UpdateBarShown(ui, static_cast<CMainFrame&>(frame).GetToolBar(), g.m_show_toolbar);
      break;
    case 314:
      if (!popup) UpdateBarShown(ui, static_cast<CMainFrame&>(frame).GetStatusBar(), g.m_show_statusbar);
      break;
    case 316:
    case 317:
    case 318: UpdateZoom(ui, frame.GetFace()); return;
    case 319: UpdateNotes(ui); return;
    case 320:
    case 321:
      if (g.m_papp != nullptr) UpdatePrint(ui, frame, popup);
      return;
    default: break;
  }
  // What the command leaves alone stays as the key's description set it.
  ui.m_bEnableChanged = TRUE;
}
