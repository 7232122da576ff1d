#include "qt/UserInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "qt/GuiApplication.h"

namespace layer {
namespace {

Qt::MouseButtons Buttons(WPARAM keys) {
  Qt::MouseButtons buttons;
  if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
  if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::KeyboardModifiers Modifiers(WPARAM keys) {
  Qt::KeyboardModifiers modifiers;
  if (keys & MK_SHIFT) modifiers |= Qt::ShiftModifier;
  if (keys & MK_CONTROL) modifiers |= Qt::ControlModifier;
  return modifiers;
}

struct MouseEventKind {
  QEvent::Type type;
  Qt::MouseButton button;
};

bool KindOf(UINT message, MouseEventKind* kind) {
  switch (message) {
    case WM_MOUSEMOVE: *kind = {QEvent::MouseMove, Qt::NoButton}; return true;
    case WM_LBUTTONDOWN: *kind = {QEvent::MouseButtonPress, Qt::LeftButton}; return true;
    case WM_LBUTTONUP: *kind = {QEvent::MouseButtonRelease, Qt::LeftButton}; return true;
    case WM_LBUTTONDBLCLK: *kind = {QEvent::MouseButtonDblClick, Qt::LeftButton}; return true;
    case WM_RBUTTONDOWN: *kind = {QEvent::MouseButtonPress, Qt::RightButton}; return true;
    case WM_RBUTTONUP: *kind = {QEvent::MouseButtonRelease, Qt::RightButton}; return true;
    case WM_RBUTTONDBLCLK: *kind = {QEvent::MouseButtonDblClick, Qt::RightButton}; return true;
    case WM_MBUTTONDOWN: *kind = {QEvent::MouseButtonPress, Qt::MiddleButton}; return true;
    case WM_MBUTTONUP: *kind = {QEvent::MouseButtonRelease, Qt::MiddleButton}; return true;
    case WM_MBUTTONDBLCLK: *kind = {QEvent::MouseButtonDblClick, Qt::MiddleButton}; return true;
    default: return false;
  }
}

// The widget that a real mouse would reach: the one holding the mouse, else
// the topmost shown window under the point.
QWidget* WidgetFor(QPoint screen) {
  if (QWidget* grabber = QWidget::mouseGrabber()) return grabber;
  if (QWidget* under = QApplication::widgetAt(screen)) return under->window();
  const QList<QWidget*> windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if ((*it)->isVisible() && (*it)->geometry().contains(screen)) return *it;
  return nullptr;
}

}  // namespace

bool SendUserMouse(UINT message, POINT screen, WPARAM keys) {
  MouseEventKind kind;
  if (!KindOf(message, &kind) || !EnsureGuiApplication()) return false;
  const QPoint global(screen.x, screen.y);
  QWidget* widget = WidgetFor(global);
  if (!widget) return false;
  const QPointF local = widget->mapFromGlobal(QPointF(global));
  QMouseEvent event(kind.type, local, QPointF(global), kind.button, Buttons(keys), Modifiers(keys));
  QApplication::sendEvent(widget, &event);
  return true;
}

}  // namespace layer
