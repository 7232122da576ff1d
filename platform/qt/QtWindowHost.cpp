// Top-level windows on the screen through Qt: each shows its window's canvas
// with the canvases of its children, and turns Qt's input into queued messages.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <map>
#include <string>
#include <unistd.h>

#include "qt/GuiApplication.h"
#include "win32/Codepage.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

namespace layer {
namespace {

constexpr WPARAM kScClose = 0xF060;

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  return keys;
}

void NoteModifiers(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  SetKeyDown(VK_SHIFT, modifiers & Qt::ShiftModifier);
  SetKeyDown(VK_CONTROL, modifiers & Qt::ControlModifier);
  SetKeyDown(VK_MENU, modifiers & Qt::AltModifier);
  SetKeyDown(VK_LBUTTON, buttons & Qt::LeftButton);
  SetKeyDown(VK_RBUTTON, buttons & Qt::RightButton);
  SetKeyDown(VK_MBUTTON, buttons & Qt::MiddleButton);
}

int VirtualKey(const QKeyEvent& event) {
  int key = event.key();
  bool keypad = event.modifiers() & Qt::KeypadModifier;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Plus: return keypad ? VK_ADD : 0xBB;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : 0xBD;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0xBF;
    case Qt::Key_Comma: return 0xBC;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : 0xBE;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    // The keys of the German keyboard the system was made for.
    case Qt::Key_Udiaeresis: return 0xBA;
    case Qt::Key_Odiaeresis: return 0xC0;
    case Qt::Key_ssharp: return 0xDB;
    case Qt::Key_Adiaeresis: return 0xDE;
    default: return event.text().isEmpty() ? 0 : 0xDF;  // another key that types a character
  }
}

// The deepest visible, enabled child under a screen point.
HWND TargetAt(HWND top, POINT screen) {
  HWND current = top;
  for (;;) {
    POINT client = screen;
    ScreenToClient(current, &client);
    HWND child = ChildWindowFromPoint(current, client);
    if (!child || child == current || !IsWindowVisible(child) || !IsWindowEnabled(child)) return current;
    current = child;
  }
}

Qt::CursorShape ShapeOf(LPCSTR systemId) {
  switch (LOWORD(reinterpret_cast<ULONG_PTR>(systemId))) {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32646: return Qt::SizeAllCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    case 32650: return Qt::BusyCursor;
    case 32651: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

QCursor CursorFor(HCURSOR handle) {
  if (!handle) return QCursor(Qt::BlankCursor);
  const CursorPicture* picture = CursorOf(handle);
  if (!picture) return QCursor(Qt::ArrowCursor);
  if (picture->pixels) {
    QImage image(reinterpret_cast<const uchar*>(picture->pixels), 32, 32, QImage::Format_ARGB32);
    return QCursor(QPixmap::fromImage(image.copy()), picture->hotX, picture->hotY);
  }
  return QCursor(ShapeOf(picture->systemId));
}

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(HWND window) : m_window(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }
  HWND Window() const { return m_window; }
  unsigned shownGeneration = ~0u;
  bool syncing = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    auto window = Windows().Find(m_window);
    if (!window) return;
    Surface composed = ComposeWindow(*window);
    QImage image(reinterpret_cast<const uchar*>(composed.Bits()), composed.Width(), composed.Height(),
                 composed.BytesPerLine(), QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
  }
  void mouseMoveEvent(QMouseEvent* event) override { Mouse(*event, WM_MOUSEMOVE); }
  void mousePressEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), 0)); }
  void mouseReleaseEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), 1)); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), 2)); }
  void wheelEvent(QWheelEvent* event) override {
    HWND target = GetFocus() ? GetFocus() : m_window;
    POINT screen = ScreenPoint(event->position().toPoint());
    WPARAM keys = MouseKeys(event->buttons(), event->modifiers());
    PostMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(event->angleDelta().y())),
                MAKELPARAM(screen.x, screen.y));
  }
  void keyPressEvent(QKeyEvent* event) override { Key(*event, true); }
  void keyReleaseEvent(QKeyEvent* event) override { Key(*event, false); }
  void closeEvent(QCloseEvent* event) override {
    // The window decides: its procedure gets the close command and may refuse.
    event->ignore();
    PostMessage(m_window, WM_SYSCOMMAND, kScClose, 0);
  }
  void resizeEvent(QResizeEvent* event) override {
    if (!syncing && event->spontaneous()) Follow();
  }
  void moveEvent(QMoveEvent* event) override {
    if (!syncing && event->spontaneous()) Follow();
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && IsWindow(m_window)) SetActiveWindow(m_window);
    QWidget::changeEvent(event);
  }

 private:
  // The user moved or resized the window on the screen: the window follows.
  void Follow() {
    RECT rect;
    if (!GetWindowRect(m_window, &rect)) return;
    QRect now = geometry();
    if (rect.left == now.x() && rect.top == now.y() && rect.right - rect.left == now.width() && rect.bottom - rect.top == now.height())
      return;
    SetWindowPos(m_window, nullptr, now.x(), now.y(), now.width(), now.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }

  static UINT ButtonMessage(Qt::MouseButton button, int kind) {
    UINT base = button == Qt::RightButton ? WM_RBUTTONDOWN : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    return base + static_cast<UINT>(kind);
  }

  POINT ScreenPoint(QPoint inWidget) const {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return POINT{rect.left + inWidget.x(), rect.top + inWidget.y()};
  }

  void Mouse(const QMouseEvent& event, UINT message) {
    NoteModifiers(event.modifiers(), event.buttons());
    POINT screen = ScreenPoint(event.position().toPoint());
    SetCursorPosition(screen);
    if (DragThumb(screen, message)) return;
    HWND target = GetCapture() ? GetCapture() : TargetAt(m_window, screen);
    auto window = Windows().Find(target);
    if (!window) return;
    bool doubleClick = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    if (doubleClick && !(window->windowClass->style & CS_DBLCLKS)) message -= 1;  // a second press
    POINT client = screen;
    ScreenToClient(target, &client);
    RECT clientRect;
    GetClientRect(target, &clientRect);
    if (!GetCapture() && !PtInRect(&clientRect, client)) {
      NonClient(target, screen, message);
      return;
    }
    if (!GetCapture()) SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, message));
    PostMessage(target, message, MouseKeys(event.buttons(), event.modifiers()), MAKELPARAM(client.x, client.y));
  }

  // A press on a scroll bar scrolls by a line (arrows) or a page (the track),
  // or takes the thumb along until the button comes up.
  void NonClient(HWND target, POINT screen, UINT message) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return;
    auto window = Windows().Find(target);
    RECT rect;
    if (!window || !GetWindowRect(target, &rect)) return;
    POINT inside{screen.x - rect.left, screen.y - rect.top};
    for (int bar : {SB_VERT, SB_HORZ}) {
      ScrollBarLayout layout = LayoutScrollBar(*window, bar);
      if (!PtInRect(&layout.area, inside)) continue;
      bool vertical = bar == SB_VERT;
      int along = vertical ? inside.y : inside.x;
      int code;
      if (PtInRect(&layout.lineUp, inside)) code = SB_LINEUP;
      else if (PtInRect(&layout.lineDown, inside)) code = SB_LINEDOWN;
      else if (PtInRect(&layout.thumb, inside)) {
        m_drag = ThumbDrag{target, bar, along - (vertical ? layout.thumb.top : layout.thumb.left), window->bars[bar].pos};
        return;
      } else {
        code = along < (vertical ? layout.thumb.top : layout.thumb.left) ? SB_PAGEUP : SB_PAGEDOWN;
      }
      PostMessage(target, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, 0), 0);
      PostMessage(target, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      return;
    }
  }

  // True while the thumb is being dragged (the message is taken).
  bool DragThumb(POINT screen, UINT message) {
    if (!m_drag.window) return false;
    auto window = Windows().Find(m_drag.window);
    RECT rect;
    if (!window || !GetWindowRect(m_drag.window, &rect)) {
      m_drag = ThumbDrag{};
      return false;
    }
    bool vertical = m_drag.bar == SB_VERT;
    UINT scroll = vertical ? WM_VSCROLL : WM_HSCROLL;
    if (message == WM_MOUSEMOVE) {
      ScrollBarLayout layout = LayoutScrollBar(*window, m_drag.bar);
      int along = (vertical ? screen.y - rect.top - layout.track.top : screen.x - rect.left - layout.track.left) - m_drag.grab;
      m_drag.pos = ScrollPosForThumb(*window, m_drag.bar, along);
      window->bars[m_drag.bar].trackPos = m_drag.pos;
      PostMessage(m_drag.window, scroll, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(m_drag.pos)), 0);
    } else if (message == WM_LBUTTONUP) {
      PostMessage(m_drag.window, scroll, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(m_drag.pos)), 0);
      PostMessage(m_drag.window, scroll, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      m_drag = ThumbDrag{};
    }
    return true;
  }

  void Key(const QKeyEvent& event, bool down) {
    NoteModifiers(event.modifiers(), QGuiApplication::mouseButtons());
    int key = VirtualKey(event);
    if (!key) return;
    SetKeyDown(key, down);
    HWND focus = GetFocus();
    HWND target = focus && (focus == m_window || IsChild(m_window, focus)) ? focus : m_window;
    bool alt = event.modifiers() & Qt::AltModifier;
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM flags = 1 | (event.isAutoRepeat() ? (1 << 30) : 0) | (down ? 0 : (3u << 30)) | (alt ? (1 << 29) : 0);
    if (down) NoteKeyCharacter(key, CharacterOf(event));
    PostMessage(target, message, static_cast<WPARAM>(key), flags);
  }

  // The character the key gave on the user's keyboard, in Windows-1252 (0 for none).
  static int CharacterOf(const QKeyEvent& event) {
    QString text = event.text();
    if (text.size() != 1) return 0;
    std::string bytes = Utf8ToCp1252(text.toUtf8().toStdString());
    if (bytes.size() != 1) return 0;
    if (bytes[0] == '?' && text != "?") return 0;  // a character Windows-1252 does not have
    return static_cast<unsigned char>(bytes[0]);
  }

  struct ThumbDrag {
    HWND window = nullptr;
    int bar = SB_VERT;
    int grab = 0;  // where on the thumb it was taken
    int pos = 0;
  };

  HWND m_window;
  ThumbDrag m_drag;
};

class QtWindowHost : public WindowHost {
 public:
  void WindowCreated(HWND window) override {
    auto record = Windows().Find(window);
    if (!record || record->IsChild() || !OnGuiThread()) return;
    auto* widget = new CanvasWidget(window);
    m_widgets[window] = widget;
    Sync(*widget);
  }
  void WindowDestroyed(HWND window) override {
    auto found = m_widgets.find(window);
    if (found == m_widgets.end()) return;
    found->second->hide();
    found->second->deleteLater();  // it may be inside one of its own event handlers
    m_widgets.erase(found);
  }
  void WindowChanged(HWND window) override {
    auto found = m_widgets.find(window);
    if (found != m_widgets.end()) Sync(*found->second);
  }
  void CursorChanged(HCURSOR cursor) override {
    if (!QCoreApplication::instance()) return;
    QCursor shape = CursorFor(cursor);
    for (auto& [handle, widget] : m_widgets) widget->setCursor(shape);
  }
  void CaptureChanged(HWND window) override {
    for (auto& [handle, widget] : m_widgets) {
      if (window && (handle == window || IsChild(handle, window))) widget->grabMouse();
      else if (QWidget::mouseGrabber() == widget) widget->releaseMouse();
    }
  }
  SIZE ScreenSize() override {
    if (!OnGuiThread() || !QGuiApplication::primaryScreen()) return SIZE{1024, 768};
    QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return SIZE{size.width(), size.height()};
  }
  bool ProcessEvents(DWORD wait) override {
    if (!EnsureGuiApplication()) return false;
    ShowChangedCanvases();
    if (wait == 0) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
      QTimer limit;
      limit.setSingleShot(true);
      limit.start(static_cast<int>(wait));
      QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    ShowChangedCanvases();
    return true;
  }
  void Wake() override {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance() ? QCoreApplication::instance()->thread() : nullptr))
      dispatcher->wakeUp();
  }
  DWORD ThreadId() override {
    if (!QCoreApplication::instance()) return 0;
    if (!m_threadId && QThread::currentThread() == QCoreApplication::instance()->thread()) m_threadId = GetCurrentThreadId();
    return m_threadId;
  }

 private:
  // Qt's windows live on one thread: the program's first one, where the
  // application is made. Windows of other threads stay off the screen.
  static bool OnGuiThread() {
    if (!QCoreApplication::instance()) {
      if (GetCurrentThreadId() != static_cast<DWORD>(getpid())) return false;
      return EnsureGuiApplication();
    }
    return QThread::currentThread() == QCoreApplication::instance()->thread();
  }

  static unsigned GenerationOf(const Window& window) {
    unsigned generation = window.canvas.Generation() + static_cast<unsigned>(window.style);
    for (HWND child : window.children) {
      if (auto record = Windows().Find(child)) generation = generation * 31 + GenerationOf(*record) + static_cast<unsigned>(reinterpret_cast<UINT_PTR>(child));
    }
    return generation;
  }

  void ShowChangedCanvases() {
    for (auto& [handle, widget] : m_widgets) {
      auto window = Windows().Find(handle);
      if (!window) continue;
      unsigned generation = GenerationOf(*window);
      if (generation != widget->shownGeneration) {
        widget->shownGeneration = generation;
        widget->update();
      }
    }
  }

  void Sync(CanvasWidget& widget) {
    auto window = Windows().Find(widget.Window());
    if (!window) return;
    widget.syncing = true;
    widget.setWindowTitle(QString::fromUtf8(Cp1252ToUtf8(window->text).c_str()));
    QRect wanted(window->rect.left, window->rect.top, std::max(window->Width(), 1), std::max(window->Height(), 1));
    if (widget.geometry() != wanted) widget.setGeometry(wanted);
    widget.setEnabled(!(window->style & WS_DISABLED));
    bool visible = IsShownOnScreen(*window);
    if (visible && !widget.isVisible()) widget.show();
    if (!visible && widget.isVisible()) widget.hide();
    widget.syncing = false;
    widget.shownGeneration = ~0u;
    widget.update();
  }

  std::map<HWND, CanvasWidget*> m_widgets;
  DWORD m_threadId = 0;
};

QtWindowHost host;

// Linking the backend puts windows on the screen.
struct Installer {
  Installer() { InstallWindowHost(&host); }
  ~Installer() { InstallWindowHost(nullptr); }
} installer;

}  // namespace
}  // namespace layer
