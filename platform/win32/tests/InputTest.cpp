// Mouse and keys as the platform delivers them: each mouse message is
// preceded by the hit test, the hit decides the cursor message, a press on
// an inactive window activates it, and the non-client area hears its own
// messages. The input comes in as the screen gives it (layer::MouseInput).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "MessageLog.h"
#include "ScreenPoints.h"
#include "win32/Clock.h"
#include "win32/Errors.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {

POINT OnScreen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

LPARAM Packed(POINT point) { return MAKELPARAM(point.x, point.y); }

void Click(POINT at) {
  layer::MouseInput(at, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(at, WM_LBUTTONUP, 0);
}

}  // namespace

TEST(Input, AMoveIsHitTestedAndSetsTheCursorBeforeItIsRead) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, frame, {10, 10, 110, 60}, 1);
  log.Pump();
  log.Clear();

  POINT inChild = OnScreen(child, 20, 30);
  ASSERT_TRUE(layer::MouseInput(inChild, WM_MOUSEMOVE, MK_SHIFT));
  log.Pump();
  EXPECT_TRUE(log.Matches({{"child", WM_NCHITTEST, kSent | kLParam, 0, Packed(inChild)},
                           {"child", WM_SETCURSOR, kSent | kWParam | kLParam, reinterpret_cast<WPARAM>(child),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                           {"frame", WM_SETCURSOR, kByDefault | kWParam, reinterpret_cast<WPARAM>(child)},
                           {"child", WM_MOUSEMOVE, kPosted | kWParam | kLParam, MK_SHIFT, MAKELPARAM(20, 30)}}));
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, inChild.x);

  POINT onCaption = OnWindow(frame, 100, 10);
  layer::MouseInput(onCaption, WM_MOUSEMOVE, 0);
  log.Pump();
  EXPECT_TRUE(log.Matches({{"frame", WM_NCHITTEST},
                           {"frame", WM_SETCURSOR, kSent | kLParam, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)},
                           {"frame", WM_NCMOUSEMOVE, kPosted | kWParam | kLParam, HTCAPTION, Packed(onCaption)}}));
  EXPECT_FALSE(layer::MouseInput(POINT{5000, 5000}, WM_MOUSEMOVE, 0));  // no window there
}

TEST(Input, AClickIntoAnInactiveFrameActivatesIt) {
  MessageLog log;
  HWND inactive = log.Create("inactive", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  HWND field = log.Create("field", WS_CHILD | WS_VISIBLE, inactive, {10, 10, 110, 60}, 5);
  HWND active = log.Create("active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {500, 100, 800, 300});
  log.Pump();
  log.Clear();
  ASSERT_EQ(GetActiveWindow(), active);

  POINT at = OnScreen(field, 5, 6);
  POINT inParent = OnScreen(field, 5, 6);
  ScreenToClient(inactive, &inParent);
  layer::MouseInput(at, WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  EXPECT_TRUE(log.Matches({{"field", WM_NCHITTEST},
                           {"inactive", WM_PARENTNOTIFY, kSent | kWParam | kLParam, WM_LBUTTONDOWN, Packed(inParent)},
                           {"field", WM_MOUSEACTIVATE, kSent | kWParam | kLParam, reinterpret_cast<WPARAM>(inactive),
                            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
                           {"inactive", WM_MOUSEACTIVATE, kByDefault},
                           {"active", WM_NCACTIVATE, kW, FALSE},
                           {"active", WM_ACTIVATE, kW, WA_INACTIVE},
                           {"inactive", WM_WINDOWPOSCHANGING},
                           {"inactive", WM_WINDOWPOSCHANGED},
                           {"inactive", WM_NCACTIVATE, kW, TRUE},
                           {"inactive", WM_ACTIVATE, kSent | kWParam | kLParam, WA_CLICKACTIVE,
                            reinterpret_cast<LPARAM>(active)},
                           {"active", WM_KILLFOCUS, kByDefault},
                           {"inactive", WM_SETFOCUS, kByDefault},
                           {"field", WM_SETCURSOR, kSent | kLParam, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
                           {"inactive", WM_SETCURSOR, kByDefault},
                           {"field", WM_LBUTTONDOWN, kPosted | kWParam | kLParam, MK_LBUTTON, MAKELPARAM(5, 6)}}));
  EXPECT_EQ(GetActiveWindow(), inactive);
  EXPECT_EQ(GetForegroundWindow(), inactive);

  layer::MouseInput(at, WM_LBUTTONUP, 0);  // already active: no activation, no parent notification
  log.Pump();
  EXPECT_TRUE(log.Matches({{"field", WM_NCHITTEST},
                           {"field", WM_SETCURSOR, kSent | kLParam, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONUP)},
                           {"inactive", WM_SETCURSOR, kByDefault},
                           {"field", WM_LBUTTONUP, kPosted}}));
}

namespace {

struct ActivateCase {
  const char* name;
  LRESULT answer;
  bool activates;
  bool delivers;
};

std::ostream& operator<<(std::ostream& out, const ActivateCase& c) { return out << c.name; }

class MouseActivation : public ::testing::TestWithParam<ActivateCase> {};

}  // namespace

TEST_P(MouseActivation, TheAnswerDecidesActivationAndThePress) {
  const ActivateCase& c = GetParam();
  MessageLog log;
  HWND target = log.Create("target", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, nullptr, {300, 100, 400, 200});
  log.Pump();
  ASSERT_EQ(GetActiveWindow(), other);
  log.handlers[WM_MOUSEACTIVATE] = [&c](HWND, WPARAM, LPARAM) { return c.answer; };
  log.Clear();
  layer::MouseInput(OnScreen(target, 10, 10), WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  EXPECT_EQ(GetActiveWindow() == target, c.activates);
  EXPECT_EQ(!log.Entries(WM_LBUTTONDOWN).empty(), c.delivers);
  EXPECT_EQ(log.Entries(WM_SETCURSOR).size(), 1u);  // the cursor is chosen all the same
}

INSTANTIATE_TEST_SUITE_P(Answers, MouseActivation,
                         ::testing::Values(ActivateCase{"Activate", MA_ACTIVATE, true, true},
                                           ActivateCase{"ActivateAndEat", MA_ACTIVATEANDEAT, true, false},
                                           ActivateCase{"NoActivate", MA_NOACTIVATE, false, true},
                                           ActivateCase{"NoActivateAndEat", MA_NOACTIVATEANDEAT, false, false}),
                         [](const ::testing::TestParamInfo<ActivateCase>& info) { return std::string(info.param.name); });

TEST(Input, ATransparentWindowPassesThePointToTheWindowBelow) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND cover = log.Create("cover", WS_CHILD | WS_VISIBLE, frame, {0, 0, 100, 100}, 1);  // above: made first
  ASSERT_NE(log.Create("below", WS_CHILD | WS_VISIBLE, frame, {50, 50, 150, 150}, 2), nullptr);
  log.handlers[WM_NCHITTEST] = [cover](HWND window, WPARAM w, LPARAM l) -> LRESULT {
    return window == cover ? HTTRANSPARENT : DefWindowProc(window, WM_NCHITTEST, w, l);
  };
  log.Pump();
  log.Clear();
  layer::MouseInput(OnScreen(frame, 60, 60), WM_MOUSEMOVE, 0);  // where both are
  layer::MouseInput(OnScreen(frame, 10, 10), WM_MOUSEMOVE, 0);  // on the cover only
  log.Pump();
  EXPECT_TRUE(log.Matches({{"cover", WM_NCHITTEST},
                           {"below", WM_NCHITTEST},
                           {"below", WM_SETCURSOR},
                           {"frame", WM_SETCURSOR, kByDefault},
                           {"below", WM_MOUSEMOVE, kPosted | kLParam, 0, MAKELPARAM(10, 10)},
                           {"cover", WM_NCHITTEST},
                           {"frame", WM_NCHITTEST},
                           {"frame", WM_SETCURSOR},
                           {"frame", WM_MOUSEMOVE, kPosted | kLParam, 0, MAKELPARAM(10, 10)}}));
}

TEST(Input, DoubleClicksOnTheTestClock) {
  layer::ManualClock clock(5000);
  layer::ScopedClock use(clock);
  MessageLog log;
  log.windowClass = MessageLog::kDoubleClickClass;
  HWND wants = log.Create("wants", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  log.windowClass = "LoggedWindow";
  HWND plain = log.Create("plain", WS_POPUP | WS_VISIBLE, nullptr, {300, 100, 400, 200});
  log.Pump();

  struct Case {
    const char* what;
    HWND window;
    DWORD after;  // milliseconds after the first click
    int dx;
    UINT second;
  } cases[] = {
      {"quick, on a window that wants them", wants, 300, 0, WM_LBUTTONDBLCLK},
      {"quick, two pixels away", wants, 300, 2, WM_LBUTTONDBLCLK},
      {"too slow", wants, 501, 0, WM_LBUTTONDOWN},
      {"too far", wants, 100, 3, WM_LBUTTONDOWN},
      {"on a window that does not want them", plain, 100, 0, WM_LBUTTONDOWN},
  };
  for (const Case& c : cases) {
    clock.Advance(2000);  // nothing to do with the case before
    POINT at = OnScreen(c.window, 20, 20);
    Click(at);
    clock.Advance(c.after);
    Click(POINT{at.x + c.dx, at.y});
    log.Clear();
    log.Pump();
    std::vector<UINT> presses;
    for (const Logged& entry : log.All())
      if (entry.message == WM_LBUTTONDOWN || entry.message == WM_LBUTTONDBLCLK) presses.push_back(entry.message);
    EXPECT_EQ(presses, (std::vector<UINT>{WM_LBUTTONDOWN, c.second})) << c.what;
  }

  // On the caption a double click is the non-client one, whatever the class; it maximises.
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 300, 400, 500});
  log.Pump();
  clock.Advance(2000);
  Click(OnWindow(frame, 100, 10));
  clock.Advance(100);
  Click(OnWindow(frame, 100, 10));
  log.Clear();
  log.Pump();
  EXPECT_EQ(log.Entries(WM_NCLBUTTONDBLCLK).size(), 1u);
  EXPECT_TRUE(IsZoomed(frame));
}

TEST(Input, TheCaptureTakesEveryMoveAsAClientMessage) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, frame, {10, 10, 60, 60}, 1);
  log.Pump();
  SetCapture(child);
  log.Clear();
  layer::MouseInput(OnWindow(frame, 100, 10), WM_MOUSEMOVE, MK_LBUTTON);  // over the caption
  log.Pump();
  POINT expected = OnWindow(frame, 100, 10);
  ScreenToClient(child, &expected);
  EXPECT_TRUE(log.Matches({{"child", WM_MOUSEMOVE, kPosted | kLParam, 0, Packed(expected)}}));
  ReleaseCapture();
}

TEST(Input, DisabledWindowsTakeNoInput) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND button = log.Create("button", WS_CHILD | WS_VISIBLE | WS_DISABLED, frame, {10, 10, 60, 40}, 1);
  HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, nullptr, {400, 100, 500, 200});
  log.Pump();
  log.Clear();
  // A disabled child: the window below it takes the press.
  layer::MouseInput(OnScreen(button, 5, 5), WM_MOUSEMOVE, 0);
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_NCHITTEST).size() == 1 && log.Entries(WM_NCHITTEST)[0].window == frame);
  EXPECT_EQ(log.Entries(WM_MOUSEMOVE).at(0).window, frame);

  // A disabled top-level window hears only that the press went nowhere.
  SetActiveWindow(frame);
  EnableWindow(other, FALSE);
  log.Clear();
  layer::MouseInput(OnScreen(other, 5, 5), WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  EXPECT_TRUE(log.Matches({{"other", WM_SETCURSOR, kSent | kLParam, 0, MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN)}}));
  EXPECT_EQ(GetActiveWindow(), frame);
  layer::MouseInput(OnScreen(other, 5, 5), WM_LBUTTONUP, 0);
  log.Pump();
}

TEST(Input, TheRightButtonAsksForAContextMenu) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, frame, {10, 10, 60, 40}, 1);
  log.Pump();
  POINT at = OnScreen(child, 5, 5);
  layer::MouseInput(at, WM_RBUTTONDOWN, MK_RBUTTON);
  layer::MouseInput(at, WM_RBUTTONUP, 0);
  log.Clear();
  log.Pump();
  auto menus = log.Entries(WM_CONTEXTMENU);
  ASSERT_EQ(menus.size(), 2u);  // the child's, then passed on to its parent
  EXPECT_EQ(menus[0].window, child);
  EXPECT_EQ(menus[1].window, frame);
  EXPECT_EQ(menus[0].wParam, reinterpret_cast<WPARAM>(child));
  EXPECT_EQ(menus[0].lParam, Packed(at));
}

TEST(Input, KeysGoToTheFocusOrAsSystemKeysToTheActiveWindow) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND field = log.Create("field", WS_CHILD | WS_VISIBLE, frame, {0, 0, 50, 20}, 1);
  SetFocus(field);
  log.Pump();
  log.Clear();
  ASSERT_TRUE(layer::KeyInput(WM_KEYDOWN, 'A', 1));
  log.Pump();
  EXPECT_TRUE(log.Matches({{"field", WM_KEYDOWN, kPosted | kWParam, 'A'}, {"field", WM_CHAR, kPosted | kWParam, 'a'}}));
  SetFocus(nullptr);
  log.Clear();
  layer::KeyInput(WM_KEYDOWN, 'B', 1);
  log.Pump();
  EXPECT_TRUE(log.Matches({{"frame", WM_SYSKEYDOWN, kPosted | kWParam, 'B'}, {"frame", WM_SYSCHAR, kPosted | kWParam, 'b'}}));
}

// A quick Ctrl+P: all four keys are in the queue before the program reads
// the first; as it handles each it sees the modifiers held with that key.
TEST(Input, TheKeyStateIsTheOneOfTheKeyBeingHandled) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetFocus(frame);
  log.Pump();
  const unsigned withControl = layer::kHeldKnown | layer::kHeldControl;
  ASSERT_TRUE(layer::KeyInput(WM_KEYDOWN, VK_CONTROL, 1, layer::kHeldKnown));
  layer::KeyInput(WM_KEYDOWN, 'P', 1, withControl);
  layer::KeyInput(WM_KEYUP, 'P', static_cast<LPARAM>(0xC0000001), withControl);
  layer::KeyInput(WM_KEYUP, VK_CONTROL, static_cast<LPARAM>(0xC0000001), withControl);
  std::vector<std::string> seen;
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) continue;
    bool control = GetAsyncKeyState(VK_CONTROL) & 0x8000, p = GetKeyState('P') & 0x8000;
    seen.push_back(std::string(message.message == WM_KEYDOWN ? "down " : "up ") +
                   (message.wParam == 'P' ? "P" : "Ctrl") + (control ? " ctrl" : "") + (p ? " p" : ""));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"down Ctrl ctrl", "down P ctrl p", "up P ctrl", "up Ctrl"}));
}

TEST(Input, TheCaptionMovesTheWindowAndTheFrameSizesIt) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  log.Pump();
  POINT grab = OnWindow(frame, 150, 10);
  layer::MouseInput(grab, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(POINT{grab.x + 30, grab.y + 20}, WM_MOUSEMOVE, MK_LBUTTON);
  layer::MouseInput(POINT{grab.x + 30, grab.y + 20}, WM_LBUTTONUP, 0);
  log.Clear();
  log.Pump();
  RECT rect;
  GetWindowRect(frame, &rect);
  EXPECT_TRUE(EqualRect(&rect, std::vector<RECT>{RECT{130, 120, 430, 320}}.data()));
  EXPECT_TRUE(log.Matches({{"frame", WM_NCHITTEST},
                           {"frame", WM_SETCURSOR},
                           {"frame", WM_NCLBUTTONDOWN, kPosted | kWParam, HTCAPTION},
                           {"frame", WM_SYSCOMMAND, kByDefault | kWParam, SC_MOVE + HTCAPTION},
                           {"frame", WM_GETMINMAXINFO, kByDefault},
                           {"frame", WM_ENTERSIZEMOVE, kByDefault},
                           {"frame", WM_MOUSEMOVE, kOptional | kByDefault},  // the loop reads, nobody dispatches
                           {"frame", WM_MOVING, kByDefault},
                           {"frame", WM_WINDOWPOSCHANGING, kByDefault},
                           {"frame", WM_WINDOWPOSCHANGED, kByDefault},
                           {"frame", WM_MOVE, kByDefault},
                           {"frame", WM_CAPTURECHANGED, kByDefault},
                           {"frame", WM_EXITSIZEMOVE, kByDefault}}));

  // The bottom-right corner sizes, no smaller than the window allows.
  POINT corner = OnWindow(frame, 298, 198);
  layer::MouseInput(corner, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(POINT{corner.x - 250, corner.y - 190}, WM_MOUSEMOVE, MK_LBUTTON);
  layer::MouseInput(POINT{corner.x - 250, corner.y - 190}, WM_LBUTTONUP, 0);
  log.Pump();
  GetWindowRect(frame, &rect);
  EXPECT_EQ(rect.left, 130);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXMINTRACK));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYMINTRACK));
}

TEST(Input, TheCloseButtonClosesWhenLetGoOverIt) {
  layer::ManualClock clock;
  layer::ScopedClock use(clock);
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  log.Pump();
  POINT close = OnWindow(frame, 286, 12);
  ASSERT_EQ(SendMessage(frame, WM_NCHITTEST, 0, Packed(close)), HTCLOSE);
  layer::MouseInput(close, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(OnWindow(frame, 100, 100), WM_LBUTTONUP, 0);  // let go elsewhere: nothing
  log.Pump();
  EXPECT_TRUE(IsWindow(frame));
  log.Clear();
  clock.Advance(1000);  // not a double click
  Click(close);
  log.Pump();
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(log.Entries(WM_SYSCOMMAND).at(0).wParam, static_cast<WPARAM>(SC_CLOSE));
  EXPECT_EQ(log.Entries(WM_CLOSE).size(), 1u);
}

namespace {

struct LeaveCase {
  const char* name;
  DWORD flags;  // TME_LEAVE, with TME_CANCEL after it
  bool toFrame;  // the pointer goes on into the frame's client area, else to no window at all
  size_t leaves;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

class PointerLeave : public ::testing::TestWithParam<LeaveCase> {};

// A watched window hears once that the pointer left it, when the pointer's
// input goes to another window or to no window of the program; not while the
// pointer stays on it, and not once it cancelled the watch.
TEST_P(PointerLeave, IsToldOnceWhenThePointerGoesElsewhere) {
  const LeaveCase& c = GetParam();
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, frame, {10, 10, 110, 60}, 1);
  log.Pump();
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, child, 0};
  ASSERT_TRUE(TrackMouseEvent(&track));
  if (c.flags & TME_CANCEL) {
    track.dwFlags = c.flags;
    ASSERT_TRUE(TrackMouseEvent(&track));
  }
  layer::MouseInput(OnScreen(child, 5, 5), WM_MOUSEMOVE, 0);
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_MOUSELEAVE).empty());
  const POINT away = c.toFrame ? OnScreen(frame, 200, 150) : POINT{5000, 5000};
  layer::MouseInput(away, WM_MOUSEMOVE, 0);
  layer::MouseInput(POINT{away.x + 5, away.y}, WM_MOUSEMOVE, 0);
  log.Pump();
  const std::vector<Logged> leaves = log.Entries(WM_MOUSELEAVE);
  ASSERT_EQ(leaves.size(), c.leaves);
  if (!leaves.empty()) EXPECT_EQ(leaves[0].window, child);
}

INSTANTIATE_TEST_SUITE_P(Input, PointerLeave,
                         ::testing::Values(LeaveCase{"IntoAnotherWindow", TME_LEAVE, true, 1},
                                           LeaveCase{"ToNoWindow", TME_LEAVE, false, 1},
                                           LeaveCase{"Cancelled", TME_LEAVE | TME_CANCEL, true, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Input, AWatchWithoutAWindowOrItsSizeIsRefused) {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, nullptr, 0};
  EXPECT_FALSE(TrackMouseEvent(&track));
  EXPECT_FALSE(TrackMouseEvent(nullptr));
  MessageLog log;
  track.hwndTrack = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  track.cbSize = 0;
  EXPECT_FALSE(TrackMouseEvent(&track));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
