#include <gtest/gtest.h>

#include "mfc/CFrameWnd.h"

namespace {

const UINT kFrameMessage = RegisterWindowMessage("VARNO_TEST_FRAME_MESSAGE");

class TestFrame : public CFrameWnd {
 public:
  explicit TestFrame(bool* gone) : m_gone(gone) {}
  ~TestFrame() override { *m_gone = true; }
  afx_msg LRESULT OnFrameMessage(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }

 private:
  bool* m_gone;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_REGISTERED_MESSAGE(kFrameMessage, OnFrameMessage)
END_MESSAGE_MAP()

// Frames are made with new and go with their window.
TEST(CFrameWnd, TopLevelWindowThatDeletesItselfWithItsWindow) {
  bool gone = false;
  auto* frame = new TestFrame(&gone);
  ASSERT_TRUE(frame->Create(nullptr, "Frame"));
  HWND window = frame->m_hWnd;
  EXPECT_EQ(::GetParent(window), nullptr);
  EXPECT_TRUE(frame->GetStyle() & WS_CAPTION);
  CRect rect;
  frame->GetWindowRect(&rect);
  EXPECT_GT(rect.Width(), 0);  // the default rectangle leaves the size to the system
  CString title;
  frame->GetWindowText(title);
  EXPECT_STREQ(title, "Frame");
  EXPECT_EQ(::SendMessage(window, kFrameMessage, 21, 0), 42);
  EXPECT_TRUE(CWnd::FromHandlePermanent(window)->IsKindOf(RUNTIME_CLASS(CFrameWnd)));

  ::SendMessage(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_TRUE(gone);
}

}  // namespace
