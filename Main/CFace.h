// The screen layout of one frame window: frame sets (splitters) nested in
// each other's panes, the frames that fill the panes, the key's print entries
// and symbol table, and the pane sizes that the user dragged, kept per face
// name in a user page file. Cleared and declared anew for every key from its
// rendered stream; the windows that show it work behind FaceWindows.
#pragma once

#include <memory>
#include <vector>

#include "Main/CFrame.h"
#include "Main/CPrintEntry.h"
#include "Main/CSymbolBitmaps.h"
#include "Main/FrameSet.h"
#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CMultiFrame;
class CPicView;
class FaceWindows;
class FrameView;

class CFace : public CObject {
  DECLARE_DYNCREATE(CFace)

 public:
  CFace();
  ~CFace() override;
  CFace(const CFace&) = delete;
  CFace& operator=(const CFace&) = delete;

  // The windows that show the face (not owned); none until the frame
  // window gives them. They stay until the face is cleared or given others.
  void SetWindows(FaceWindows* windows) { m_windows = windows; }
  FaceWindows* GetWindows() const { return m_windows; }
  void SetFrameWindow(CMultiFrame* window) { m_frame_window = window; }
  CMultiFrame* GetFrameWindow() const { return m_frame_window; }

  // Builds the face of the key in m_act_key_buf in the frame window: its
  // declarations, splitters and views, and every frame's definition.
  BOOL Build(CMultiFrame* window);
  // Lets every frame read its definition; FALSE when any failed, after all.
  BOOL BuildFrames();
  // Destroys views, frames and frame sets and forgets the key's declarations.
  BOOL Clear();
  BOOL DestroyFrames();
  // Declares the frame sets, frames, print entries and symbols of the key in
  // m_act_key_buf; the error stays on the trace.
  BOOL NewKey();
  // Checks the declarations, creates the splitters and views and sizes them.
  BOOL CreateLayout();
  // Sizes the laid-out face for the frame window's new size.
  BOOL OnSize(UINT type, int cx, int cy);
  BOOL RecalcSplitters();
  // The computed pane sizes of every frame set, from area (the frame
  // window's client area less its control bars) down the nesting.
  void SizeFrameSets(CSize area);

  // Prints the face through the form-printing library (CPrint): mode 0
  // without the printer choice, 1 with it; TRUE when the job was handed on.
  BOOL Print(int mode);
  void WriteScript(CFile& file, const CString& form);
  void WritePage(CFile& file);

  BOOL AllPanesFilled() const;
  // The first free pane of the last frame set that has one.
  BOOL FindFreePane(int& frameSet, int& pane);
  BOOL FindSymbolBitmaps(const char* number, CSymbolBitmaps*& symbol);
  // Where frame set k sits in its parent's splitter: -1, -1 for the outermost.
  void FrameSetPlace(int frameSet, int& row, int& column) const;
  // Where a frame sits in its frame set's splitter: -1, -1 without a pane.
  void FramePlace(const CFrame& frame, int& row, int& column) const;
  int GetFrameSetCount() const { return static_cast<int>(m_framesets.size()); }
  BOOL IsMaximized() const;

  // The views' events (CFace_Views). kind 0x81 a click on a link, 0x82 one
  // for parts; TRUE when view is a picture view of frame.
  BOOL OnViewEvent(CFrame* frame, FrameView* view, int kind, UINT message, UINT keyFlags, LPARAM point, int extra);
  // Event kind 0x82: the rows of every frame's tables that match the default
  // hotspot text go to the order-list program.
  BOOL CollectParts(int kind, BOOL order);
  // The click that the picture's context menu stands for: a plain left click
  // on the context view at its last point. FALSE when the context view is
  // no picture view.
  BOOL ReplayPictureClick();
  BOOL GetHotspotTip(const CString& hotspot, CString& text);
  // The picture views of the face: a view joins the list when its picture
  // loads (paired with the others for their palettes) and leaves it when it goes.
  void AddView(CPicView* view);
  void RemoveView(const CPicView* view);
  // Every picture view realises its palette, each as the foreground one.
  BOOL BroadcastPalette();
  // What a hotspot text offers: a key link (key), a command, parts to order.
  BOOL GetHotspotAbilities(CFrame* frame, FrameView* view, const CString& text, int& key, int& command, int& parts);
  // The zoom commands act on the one picture that follows the program-wide
  // zoom; with none or several they do nothing.
  BOOL StartZoom();
  BOOL ZoomWhole();
  BOOL ZoomPart();
  // Shows frame alone in the frame window; RestoreFrames shows the key again.
  void MaximizeFrame(CFrame* frame);
  void RestoreFrames();
  // Where the face's keys go: its frame window, else the main window.
  HWND FrameWindowHandle() const;
  // Tab and Shift+Tab: the keyboard goes from the table view that has it
  // (or from anywhere else in the face) to the next or the previous one, in
  // the order of the frames, round the end; FALSE when the face has none.
  BOOL MoveKeyboard(BOOL forward);

  // The key's declarations (CFace_FrameSet).
  BOOL AddFrame(const CString& name);
  BOOL BuildFrameSet(const CString& sizeList, int orientation);
  BOOL EndFrameSet();
  BOOL SetBarWidth(int width);
  BOOL SetSharedBorder(BOOL shared);
  BOOL SetFixedBars(const CString& list);
  BOOL SetWindowSize(const CString& list);

  // The user page file of the face name (CFace_UserPage).
  BOOL LoadUserFile();
  // The size list that the user page file keeps for the next frame set
  // statement of tag 26 or 27; FALSE when it keeps none.
  BOOL ReadUserSizes(int tag, CString& list);
  BOOL TakePaneSizes();
  BOOL WriteUserFile();
  BOOL RemoveUserFile();
  // Deletes the user page files of all faces.
  static void RemoveUserFiles();
  CString UserFilePath() const;
  void FreeUserFile();

  std::vector<FrameSet> m_framesets;  // index 0 is the outermost
  BOOL m_laid_out = FALSE;
  std::vector<std::unique_ptr<CFrame>> m_frames;
  int m_no_frames = 0;
  int m_open_depth = 0;                      // frame sets declared and not yet closed
  CMultiFrame* m_frame_window = nullptr;     // not owned
  std::vector<CPrintEntry> m_print_entries;  // the last may still be open
  int m_print_count = 0;                     // completed entries
  std::vector<std::unique_ptr<CSymbolBitmaps>> m_symbols;
  // In a symbol's order: first byte of tag 136, first of 137, second of 136, second of 137.
  int m_symbol_margins[4] = {0, 0, 0, 0};
  CString m_face_name;
  CString m_user_file_path;
  BOOL m_user_file_loaded = FALSE;
  CDynBuf m_user_file;
  int m_user_file_pos = 0;
  // The view whose context menu was opened last (not owned) and whether it
  // is a picture view; the hotspot text a click on no hotspot stands for;
  // what was under the pointer when a context menu opened (link, marked).
  FrameView* m_context_view = nullptr;
  BOOL m_context_is_picture = FALSE;
  CString m_default_hotspot;
  // The hotspot names that the key's tables know, each with the flags of its
  // rows (1 orderable, 2 a link), which give the hotspot its colour mode.
  std::vector<CString> m_link_names;
  CDynBuf m_link_flags;
  BOOL m_context_flags[2] = {FALSE, FALSE};
  std::vector<CPicView*> m_picture_views;  // not owned

 private:
  BOOL RunHandler(unsigned char tag, const CString& text, const unsigned char* operand);
  BOOL SetPrintEntryText(int which, const CString& text);
  BOOL SetNeighbour(CString& key, const char* variable, const CString& text);
  BOOL CheckUserFileHeader();
  void WarnUserFile(int line, int code, int value);
  void ApplyPaneSizes();
  CPicView* ZoomPicture() const;

  FaceWindows* m_windows = nullptr;
  // Frame sets that had a free pane when they were declared, in index order;
  // the newest one that still has one is the last.
  std::vector<int> m_open_sets;
};
