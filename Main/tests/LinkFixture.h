// Frames whose links, commands and orders go somewhere the test can look:
// a main window that collects key commands and commands, a stand-in for the
// order-list program, and shell services that record what they are asked.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Main/ShellServices.h"
#include "Main/tests/FrameFixture.h"
#include "Main/tests/OrderListStandIn.h"
#include "win32/Clipboard.h"
#include "win32/Memory.h"

namespace varno::testing {

// Shell services that answer as the test says and keep what they were given.
class RecordingShell : public ShellServices {
 public:
  struct Parts {
    int rows;
    int cells;
    std::string headers;
    std::string texts;
    std::string lines;
  };

  BOOL ChooseBranch(const CDynBuf& headers, int headerCount, const std::vector<LinkChoice>& offered,
                    LinkChoice& chosen) override {
    branchHeaders = std::string(headers.GetData() != nullptr ? reinterpret_cast<const char*>(headers.GetData()) : "",
                                static_cast<size_t>(headers.GetLength()));
    branchHeaderCount = headerCount;
    choices = offered;
    if (choose < 0 || choose >= static_cast<int>(offered.size())) return FALSE;
    chosen = offered[static_cast<size_t>(choose)];
    return TRUE;
  }
  // Stands for the confirmation list: agreeing sends the list as it is.
  void SendPartsToProtocol(int rows, int cells, const CDynBuf& headers, const CDynBuf& texts, const CDynBuf& lines,
                           BOOL order) override {
    if (rows == 1) {
      ShellServices::SendPartsToProtocol(rows, cells, headers, texts, lines, order);
      return;
    }
    confirmed.push_back({rows, cells, Text(headers), Text(texts), Text(lines)});
    CDynBuf data(lines);
    if (agree && theGlobals.m_papp != nullptr) theGlobals.m_papp->SendProtocolData(order ? 6 : 4, &data);
  }
  void ShowActionHint(int action, const CString& name, const CString& text) override {
    hints.push_back(std::to_string(action) + ":" + static_cast<const char*>(name) + ":" + static_cast<const char*>(text));
  }

  static std::string Text(const CDynBuf& buf) {
    return buf.GetLength() == 0 ? std::string()
                                : std::string(reinterpret_cast<const char*>(buf.GetData()),
                                              static_cast<size_t>(buf.GetLength()));
  }

  int choose = -1;
  BOOL agree = TRUE;
  std::string branchHeaders;
  int branchHeaderCount = -1;
  std::vector<LinkChoice> choices;
  std::vector<Parts> confirmed;
  std::vector<std::string> hints;
};

class LinkFixture : public FrameFixture {
 protected:
  using KeyCommands = varno::testing::KeyCommands;

  void SetUp() override {
    FrameFixture::SetUp();
    app.m_hMainWnd = CreateTestMainWindow();
    app.m_prot_pid = GetCurrentProcessId();
    theGlobals.m_invert_at_mousepos = TRUE;
    theGlobals.m_use_tt_window = FALSE;
    SetShell(&shell);
  }
  void TearDown() override {
    SetShell(nullptr);
    TakeKeyCommands();
    TakeCommands();
    DestroyWindow(app.m_hMainWnd);
    app.m_hMainWnd = nullptr;
    FrameFixture::TearDown();
  }

  KeyCommands TakeKeyCommands() { return TakeKeyCommandsOf(app.m_hMainWnd); }
  // The WM_COMMAND ids waiting for the main window.
  std::vector<WPARAM> TakeCommands() {
    std::vector<WPARAM> ids;
    MSG msg;
    while (PeekMessage(&msg, app.m_hMainWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) ids.push_back(msg.wParam);
    return ids;
  }
  static std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "<not open>";
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "<none>";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    return text;
  }
  static std::string Text(const CDynBuf& buf) { return RecordingShell::Text(buf); }

  // A part table of two rows (the first links to the motor), painted on a canvas.
  CFrame& TableFrame() {
    FrameDef def("T");
    def.Columns("3,40,80,*").Tag(46);
    def.Tag(52).Tag(48).Tag(59).Content("1").Tag(49).Tag(48).Tag(57).Content("RM-1").Tag(49);
    def.Tag(48).Link("MOT", "Motor").Tag(49).Tag(53);
    def.Tag(52).Tag(48).Tag(59).Content("2").Tag(49).Tag(48).Tag(57).Content("RM-2").Tag(49);
    def.Tag(48).Content("Deckel").Tag(49).Tag(53).Tag(75);
    CFrame& frame = Read({def});
    Paint(frame, 300, 200);
    return frame;
  }

  // The centre of a cell.
  static CPoint At(const CTablePart& part, int row, int column) { return part.Cell(row, column)->m_rect.CenterPoint(); }
  FrameView* BodyView() { return windows.clientViews.Count() > 0 ? windows.clientViews.Views()[0].get() : nullptr; }

  RecordingShell shell;
};

}  // namespace varno::testing
