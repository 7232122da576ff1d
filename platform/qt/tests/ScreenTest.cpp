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
      message == WM_PAINT)
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
  EXPECT_EQ(shot.pixel(15, 15) & 0xFFFFFF, 0u);         // painted black by WM_PAINT
  EXPECT_EQ(shot.pixel(100, 100) & 0xFFFFFF, 0xFFFFFFu);  // erased with the class brush
}

TEST(Screen, MouseAndKeysBecomeQueuedMessagesWithKeyStates) {
  ScreenWindow screen;
  QWidget* widget = screen.Widget();
  ASSERT_NE(widget, nullptr);
  QMouseEvent move(QEvent::MouseMove, QPointF(25, 35), widget->mapToGlobal(QPointF(25, 35)), Qt::NoButton,
                   Qt::NoButton, Qt::ShiftModifier);
  QApplication::sendEvent(widget, &move);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(26, 36), widget->mapToGlobal(QPointF(26, 36)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  EXPECT_TRUE(GetKeyState(VK_LBUTTON) & 0x8000);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(widget, &key);
  EXPECT_TRUE(received.empty());  // nothing is handled before the loop takes it
  layer::PumpUntilIdle();

  std::vector<UINT> order;
  for (const MSG& msg : received) order.push_back(msg.message);
  EXPECT_EQ(order, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR}));
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(GET_X_LPARAM(received[0].lParam), 25);
  EXPECT_EQ(GET_Y_LPARAM(received[0].lParam), 35);
  EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(MK_SHIFT));
  EXPECT_EQ(received[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(received[2].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(received[3].wParam, static_cast<WPARAM>('a'));

  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(26, 36), widget->mapToGlobal(QPointF(26, 36)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
  EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
  layer::PumpUntilIdle();
}
