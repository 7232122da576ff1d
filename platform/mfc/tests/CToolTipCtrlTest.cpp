// The class library's tool tips: a whole window as a tool asks its parent
// for the text, a rectangle tool asks its own window.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "mfc/CToolTipCtrl.h"
#include "win32/Clock.h"

namespace {

class TipOwner : public CWnd {
 public:
  std::vector<UINT_PTR> asked;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (info->hdr.code != TTN_NEEDTEXT) return FALSE;
    asked.push_back(info->hdr.idFrom);
    std::snprintf(info->szText, sizeof info->szText, "Spitze");
    *result = 0;
    return TRUE;
  }
};

void Relay(CToolTipCtrl& tip, CWnd& window, POINT at) {
  MSG msg{window.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y), 0, at};
  tip.RelayEvent(&msg);
}

void Wait(layer::ManualClock& clock, DWORD milliseconds) {
  clock.Advance(milliseconds);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

TEST(ToolTipCtrlTest, WindowToolsAskTheParentAndRectangleToolsTheirWindow) {
  layer::ManualClock clock;
  layer::ScopedClock scoped(clock);
  TipOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Besitzer", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  TipOwner child;
  ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, owner.m_hWnd, nullptr));
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&owner, TTS_ALWAYSTIP));
  tip.SetDelayTime(TTDT_INITIAL, 200);
  EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 200);
  ASSERT_TRUE(tip.AddTool(&child));
  const CRect corner(0, 0, 20, 20);
  ASSERT_TRUE(tip.AddTool(&child, LPSTR_TEXTCALLBACK, &corner, 3));
  EXPECT_EQ(tip.GetToolCount(), 2);

  Relay(tip, child, {50, 30});  // the whole window
  Wait(clock, 200);
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(owner.asked, (std::vector<UINT_PTR>{reinterpret_cast<UINT_PTR>(child.m_hWnd)}));

  Relay(tip, owner, {200, 150});
  tip.DelTool(&child);
  Relay(tip, child, {5, 5});  // the rectangle
  Wait(clock, 200);
  EXPECT_EQ(child.asked, (std::vector<UINT_PTR>{3}));
  CString text;
  tip.GetText(text, &child, 3);
  EXPECT_STREQ(text, "Spitze");
  EXPECT_EQ(tip.SetMaxTipWidth(300), -1);
  EXPECT_EQ(tip.GetMaxTipWidth(), 300);
  tip.Pop();
  EXPECT_FALSE(tip.IsWindowVisible());
}

}  // namespace
