// The viewer's two frame windows created as the start creates them, over
// the engine's program state, with toolbars from button lists whose bitmaps
// lie in the test's folder.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Main/CLogFile.h"
#include "Main/CMainFrame.h"
#include "Main/CPopup.h"
#include "Main/tests/ButtonBitmaps.h"
#include "Main/tests/EngineFixture.h"
#include "win32/UserWindows.h"

namespace varno::testing {

// An application whose keys are read without a catalogue: the key's name
// is its display name.
class FrameTestApp : public CViewerApp {
 public:
  BOOL ReadKey(const char* key) override {
    theGlobals.m_new_key_name = key;
    return TRUE;
  }
};

// A button of a toolbar list; image names relative to the test's folder.
struct ButtonSpec {
  int command;  // 0: a separator
  int flags = 0;
  BOOL down = FALSE;
  const char* image = "plain.bmp";
  const char* image2 = "";
  int tipNumber = 0;  // a program text, else the tip "Tip <command>"
};

// Frames as the start creates them, over the engine's program state, with
// toolbars from button lists whose bitmaps lie in the test's folder.
class FrameWindowFixture : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n325 = \"beenden\"\n1200 = \"Datei\"\n1201 = \"Drucken\"\n"
              "1203 = \"Beenden\"\n1301 = \"Druckt die Seite\"\n1303 = \"Beendet VARNO\"\n1400 = \"Links\"\n");
    dataFolder.Write("plain.bmp", BitmapFile{}.Bytes());
    dataFolder.Write("second.bmp", BitmapFile{}.Bytes());
    BitmapFile large;
    large.width = large.height = 24;
    dataFolder.Write("large.bmp", large.Bytes());
    theGlobals.m_papp = &app;
    theGlobals.m_button_file = "main.btn";
    theGlobals.m_button_file_popup = "popup.btn";
    theGlobals.m_menu_file = (dataFolder / "menue.ini").c_str();
    theGlobals.m_plogfile = new CLogFile((dataFolder / "log.txt").c_str());
    Fill(app.m_buttons_frm, {{302}, {0}, {300, 1, TRUE}, {301}, {308, 1, TRUE}, {309}, {320}});
    Fill(app.m_buttons_pop, {{302}, {300, 1, TRUE}, {301}, {320}});
  }
  void TearDown() override {
    if (popup != nullptr) ::DestroyWindow(popup->m_hWnd);
    if (main != nullptr) main->DestroyWindow();
    TakeKeyCommandsOf(app.m_hMainWnd);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    app.m_hMainWnd = app.m_hPopupWnd = nullptr;
    theGlobals.m_papp = nullptr;
    delete theGlobals.m_plogfile;
    theGlobals.m_plogfile = nullptr;
    for (CString* text : {&theGlobals.m_button_file, &theGlobals.m_button_file_popup, &theGlobals.m_menu_file,
                          &theGlobals.m_cur_prj_name, &theGlobals.m_cur_key_name, &theGlobals.m_cur_prj,
                          &theGlobals.m_cur_prj_key, &theGlobals.m_prg_language, &theGlobals.m_language,
                          &theGlobals.m_leftneighbour, &theGlobals.m_key_start, &theGlobals.m_user_page_def_path})
      text->Empty();
    theGlobals.m_window_size[0] = theGlobals.m_window_size[1] = -1;
    theGlobals.m_window_pos[0] = theGlobals.m_window_pos[1] = -1;
    theGlobals.m_FirstStart = FALSE;
    theGlobals.m_show_toolbar = FALSE;
    theGlobals.m_show_statusbar = TRUE;
    theGlobals.m_raster_on = TRUE;
    theGlobals.m_hs_connect_onoff = TRUE;
    theGlobals.m_prot_visible = FALSE;
    theGlobals.m_toolbar_place_user_frm = theGlobals.m_toolbar_place_default_frm = 0;
    theGlobals.m_toolbar_place_user_pop = theGlobals.m_toolbar_place_default_pop = 0;
    for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU}) layer::SetKeyDown(key, false);
    EngineFixture::TearDown();
  }

  void Fill(ToolbarButtonList& list, const std::vector<ButtonSpec>& specs) {
    list.RemoveAll();
    list.header1 = 16;
    list.header2 = 15;
    ToolbarButtonDef** next = &list.first;
    for (const ButtonSpec& spec : specs) {
      auto* entry = new ToolbarButtonDef;
      entry->separator = spec.command == 0;
      entry->cmdid = spec.command;
      entry->flags = spec.flags;
      entry->down = spec.down;
      if (*spec.image != '\0') entry->image = (dataFolder / spec.image).c_str();
      if (*spec.image2 != '\0') entry->image2 = (dataFolder / spec.image2).c_str();
      entry->text_is_number = spec.tipNumber != 0;
      entry->text_number = spec.tipNumber;
      entry->text = ("Tip " + std::to_string(spec.command)).c_str();
      *next = entry;
      next = &entry->next;
      ++list.count;
    }
  }

  bool CreateMain() {
    main = new CMainFrame;
    if (!main->Create(nullptr, "VARNO 4")) {
      main = nullptr;  // gone with its window
      return false;
    }
    app.m_hMainWnd = main->m_hWnd;
    return true;
  }
  bool CreatePopup() {
    popup = new CPopup;
    if (!popup->Create(nullptr, "")) {
      popup = nullptr;
      return false;
    }
    app.m_hPopupWnd = popup->m_hWnd;
    return true;
  }
  void CreateBoth() {
    ASSERT_TRUE(CreateMain());
    ASSERT_TRUE(CreatePopup());
  }

  // Delivers what the frames posted to themselves, as the program's loop
  // does, but leaves key commands for the test to take.
  void Dispatch() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == KeyCommandMessageId()) break;
      PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
      DispatchMessage(&msg);
    }
  }

  void Press(UINT key, const std::vector<int>& held, HWND window) {
    for (int modifier : held) layer::SetKeyDown(modifier, true);
    SendMessage(window, WM_KEYDOWN, key, 1);
    for (int modifier : held) layer::SetKeyDown(modifier, false);
  }

  std::string Log() {
    std::ifstream file(dataFolder / "log.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  FrameTestApp app;
  CMainFrame* main = nullptr;
  CPopup* popup = nullptr;
};

}  // namespace varno::testing
