#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QWidget>

#include "qt/Screenshot.h"
#include "testing/TempFolder.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

std::vector<MSG> received;

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_KEYDOWN || message == WM_CHAR ||
      message == WM_PAINT || message == WM_VSCROLL)
    received.push_back(MSG{window, message, wParam, lParam, 0, {}});
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT box{10, 10, 30, 30};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

struct ScreenWindow {
  HWND window = nullptr;
  ScreenWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Recorder;
    windowClass.lpszClassName = "ScreenTestWindow";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClass(&windowClass);
    window = CreateWindowEx(0, "ScreenTestWindow", "Screen", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 160, 120,
                            nullptr, nullptr, nullptr, nullptr);
    layer::PumpUntilIdle();
    received.clear();
  }
  ~ScreenWindow() {
    DestroyWindow(window);
    layer::PumpUntilIdle();
  }
  QWidget* Widget() const {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible() && widget->windowTitle() == "Screen") return widget;
    return nullptr;
  }
  // Where a point of the client area lies on the widget, which shows the whole window.
  QPointF OnWidget(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(window, &point);
    RECT rect;
    GetWindowRect(window, &rect);
    return QPointF(point.x - rect.left, point.y - rect.top);
  }
};

}  // namespace

TEST(Screen, ATopLevelWindowIsShownAndPaintedOffscreen) {
  ScreenWindow screen;
  QWidget* widget = screen.Widget();
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->geometry(), QRect(40, 30, 160, 120));
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);  // the offscreen screen's size

  layer::testing::TempFolder folder;
  std::string path = folder.Path() + "/screen.png";
  ASSERT_TRUE(layer::SaveWindowPng(screen.window, path));
  QImage shot(QString::fromStdString(path));
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(160, 120));
  QPoint painted = screen.OnWidget(15, 15).toPoint();
  QPoint erased = screen.OnWidget(100, 80).toPoint();
  EXPECT_EQ(shot.pixel(painted) & 0xFFFFFF, 0u);         // painted black by WM_PAINT
  EXPECT_EQ(shot.pixel(erased) & 0xFFFFFF, 0xFFFFFFu);  // erased with the class brush
  // The window has no frame of Qt's: its own caption and frame are on its canvas.
  EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_NE(shot.pixel(80, 10) & 0xFFFFFF, 0xFFFFFFu);  // the caption
  EXPECT_EQ(shot.pixel(0, 60) & 0xFFFFFF, GetSysColor(COLOR_3DLIGHT) & 0xFFFFFF);  // the frame's outer line
}

TEST(Screen, MouseAndKeysBecomeQueuedMessagesWithKeyStates) {
  ScreenWindow screen;
  QWidget* widget = screen.Widget();
  ASSERT_NE(widget, nullptr);
  QPointF at = screen.OnWidget(25, 35), next = screen.OnWidget(26, 36);
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
  QApplication::sendEvent(widget, &move);
  QMouseEvent press(QEvent::MouseButtonPress, next, widget->mapToGlobal(next), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  EXPECT_TRUE(GetKeyState(VK_LBUTTON) & 0x8000);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(widget, &key);
  QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
  QApplication::sendEvent(widget, &umlaut);
  EXPECT_TRUE(received.empty());  // nothing is handled before the loop takes it
  layer::PumpUntilIdle();

  std::vector<UINT> order;
  for (const MSG& msg : received) order.push_back(msg.message);
  // Each key's character comes right after it, in Windows-1252.
  EXPECT_EQ(order, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR}));
  ASSERT_EQ(received.size(), 6u);
  EXPECT_EQ(received[5].wParam, 0xE4u);
  EXPECT_EQ(GET_X_LPARAM(received[0].lParam), 25);
  EXPECT_EQ(GET_Y_LPARAM(received[0].lParam), 35);
  EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(MK_SHIFT));
  EXPECT_EQ(received[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(received[2].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(received[3].wParam, static_cast<WPARAM>('a'));

  QMouseEvent release(QEvent::MouseButtonRelease, next, widget->mapToGlobal(next), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
  EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
  layer::PumpUntilIdle();
}

namespace {

void Press(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

TEST(Screen, ScrollBarsAnswerArrowsAndThumbDrags) {
  ScreenWindow screen;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
  SetScrollInfo(screen.window, SB_VERT, &info, TRUE);
  layer::PumpUntilIdle();
  received.clear();
  QWidget* widget = screen.Widget();
  ASSERT_NE(widget, nullptr);
  RECT client;
  GetClientRect(screen.window, &client);
  int barX = client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;  // the bar lies right of the client area
  QPointF lowerArrow = screen.OnWidget(barX, client.bottom - 4), thumb = screen.OnWidget(barX, 20);
  QPointF dragged = screen.OnWidget(barX, 60);

  Press(widget, QEvent::MouseButtonPress, lowerArrow, Qt::LeftButton);
  Press(widget, QEvent::MouseButtonRelease, lowerArrow, Qt::NoButton);
  Press(widget, QEvent::MouseButtonPress, thumb, Qt::LeftButton);  // the thumb, at the top
  Press(widget, QEvent::MouseMove, dragged, Qt::LeftButton);
  Press(widget, QEvent::MouseButtonRelease, dragged, Qt::NoButton);
  layer::PumpUntilIdle();

  std::vector<std::pair<int, int>> codes;
  for (const MSG& msg : received)
    if (msg.message == WM_VSCROLL) codes.emplace_back(LOWORD(msg.wParam), static_cast<short>(HIWORD(msg.wParam)));
  ASSERT_EQ(codes.size(), 5u);
  EXPECT_EQ(codes[0].first, SB_LINEDOWN);
  EXPECT_EQ(codes[1].first, SB_ENDSCROLL);
  EXPECT_EQ(codes[2].first, SB_THUMBTRACK);
  EXPECT_GT(codes[2].second, 30);  // 40 pixels of a track of about 60
  EXPECT_LT(codes[2].second, 90);
  EXPECT_EQ(codes[3], std::make_pair(static_cast<int>(SB_THUMBPOSITION), codes[2].second));
  EXPECT_EQ(codes[4].first, SB_ENDSCROLL);
  SCROLLINFO track{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(screen.window, SB_VERT, &track);
  EXPECT_EQ(track.nTrackPos, codes[2].second);
}
