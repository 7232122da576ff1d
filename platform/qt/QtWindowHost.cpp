// Top-level windows on the screen through Qt: each shows what its window's
// thread composed of it (its canvas with its children's, the non-client area
// included, so the Qt window has no frame of its own), and hands Qt's mouse
// and keys to the layer as screen input. Widgets live on Qt's thread; the
// windows of other user-interface threads reach them through Qt's queue.
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
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <unistd.h>

#include "qt/GuiApplication.h"
#include "win32/Codepage.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

namespace layer {
namespace {

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

unsigned HeldModifiers(Qt::KeyboardModifiers modifiers) {
  return kHeldKnown | (modifiers & Qt::ShiftModifier ? kHeldShift : 0u) | (modifiers & Qt::ControlModifier ? kHeldControl : 0u) |
         (modifiers & Qt::AltModifier ? kHeldAlt : 0u);
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


WPARAM ButtonMessage(Qt::MouseButton button, bool down) {
  switch (button) {
    case Qt::RightButton: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

POINT ScreenPoint(const QPointF& global) {
  QPoint point = global.toPoint();
  return POINT{point.x(), point.y()};
}

// What the screen needs to know of a window, read on the window's own thread.
struct Facts {
  QRect geometry;
  bool shown = false;
  bool enabled = true;
  bool minimized = false;
  bool topmost = false;
  bool foreground = false;
  int zIndex = -1;
  QString title;
};

Facts FactsOf(const Window& window) {
  Facts facts;
  facts.geometry = QRect(window.rect.left, window.rect.top, std::max(window.Width(), 1), std::max(window.Height(), 1));
  facts.shown = (window.style & WS_VISIBLE) || window.hiddenForRedraw;
  facts.enabled = !(window.style & WS_DISABLED);
  facts.minimized = window.minimized;
  facts.topmost = (window.exStyle & WS_EX_TOPMOST) != 0;
  facts.foreground = GetForegroundWindow() == window.handle;
  int index = 0;
  for (const auto& other : TopLevelWindows()) {
    if (other->handle == window.handle) facts.zIndex = index;
    ++index;
  }
  facts.title = QString::fromUtf8(Cp1252ToUtf8(window.text).c_str());
  return facts;
}

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(HWND window) : m_window(window) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }
  HWND Window() const { return m_window; }
  // The widget the layer last asked Qt to activate, until Qt reports it active.
  static inline CanvasWidget* expectedActivation = nullptr;
  QImage image;
  Facts facts;
  bool syncing = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (image.isNull()) painter.fillRect(rect(), Qt::white);
    else painter.drawImage(0, 0, image);
  }
  void mouseMoveEvent(QMouseEvent* event) override { Mouse(*event, WM_MOUSEMOVE); }
  void mousePressEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), true)); }
  void mouseReleaseEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), false)); }
  // The layer tells double clicks from single ones itself, by the platform's rule.
  void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(*event, ButtonMessage(event->button(), true)); }
  // The pointer went off the window: the layer hears where it is now, so
  // that a window watching for the pointer's leaving is told, even when it
  // went to no window of the program.
  void leaveEvent(QEvent* event) override {
    QWidget::leaveEvent(event);
    if (!RealScreenShown()) return;
    MouseInput(ScreenPoint(QCursor::pos()), WM_MOUSEMOVE,
               MouseKeys(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers()));
  }
  void wheelEvent(QWheelEvent* event) override {
    NoteModifiers(event->modifiers(), event->buttons());
    MouseInput(ScreenPoint(event->globalPosition()), WM_MOUSEWHEEL, MouseKeys(event->buttons(), event->modifiers()),
               event->angleDelta().y());
  }
  // Tab and Shift+Tab are keys of the windows (dialogs and tables move
  // their focus themselves), not Qt's way between widgets.
  bool focusNextPrevChild(bool) override { return false; }
  void keyPressEvent(QKeyEvent* event) override { Key(*event, true); }
  void keyReleaseEvent(QKeyEvent* event) override { Key(*event, false); }
  void closeEvent(QCloseEvent* event) override {
    // The window decides: its procedure gets the close command and may refuse.
    event->ignore();
    PostMessage(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  void resizeEvent(QResizeEvent* event) override {
    if (!syncing && event->spontaneous()) Follow();
  }
  void moveEvent(QMoveEvent* event) override {
    if (!syncing && event->spontaneous()) Follow();
  }
  void changeEvent(QEvent* event) override {
    if (!syncing && event->type() == QEvent::ActivationChange && isActiveWindow()) {
      // Qt reports the activations the layer asked for, late, and activates
      // windows of its own accord when one closes; only the desktop bringing
      // the program back to the front (it had no active window) counts: the
      // window's thread activates it.
      bool fromDesktop = expectedActivation == nullptr && !GetForegroundWindow() &&
                         QGuiApplication::platformName() != QLatin1String("offscreen");
      if (fromDesktop) PostRequest(m_window, kActivationRequest, TRUE, 0);
      if (expectedActivation == this) expectedActivation = nullptr;
    }
    if (!syncing && event->type() == QEvent::WindowStateChange) {
      // Minimised or brought back by the desktop.
      if (isMinimized() && !facts.minimized) PostMessage(m_window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      else if (!isMinimized() && facts.minimized) PostMessage(m_window, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
    QWidget::changeEvent(event);
  }

 private:
  // The user moved or resized the window on the screen: the window follows.
  void Follow() {
    QRect now = geometry();
    if (now == facts.geometry || facts.minimized) return;
    SetWindowPos(m_window, nullptr, now.x(), now.y(), now.width(), now.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void Mouse(const QMouseEvent& event, WPARAM message) {
    NoteModifiers(event.modifiers(), event.buttons());
    MouseInput(ScreenPoint(event.globalPosition()), static_cast<UINT>(message), MouseKeys(event.buttons(), event.modifiers()));
  }

  // The key state is noted as the program takes the key, from what was held with it.
  void Key(const QKeyEvent& event, bool down) {
    int key = VirtualKey(event);
    if (!key) return;
    bool alt = event.modifiers() & Qt::AltModifier;
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM flags = 1 | (event.isAutoRepeat() ? (1 << 30) : 0) | (down ? 0 : (3u << 30)) | (alt ? (1 << 29) : 0);
    if (down) NoteKeyCharacter(key, CharacterOf(event));
    KeyInput(message, key, flags, HeldModifiers(event.modifiers()));
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

  static bool RealScreenShown() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

  HWND m_window;
};

class QtWindowHost : public WindowHost {
 public:
  void WindowCreated(HWND window) override {
    auto record = Windows().Find(window);
    if (!record || record->IsChild()) return;
    OnGui([this, window] {
      if (!m_widgets.count(window)) m_widgets[window] = new CanvasWidget(window);
    });
  }
  void WindowDestroyed(HWND window) override {
    OnGui([this, window] {
      auto found = m_widgets.find(window);
      if (found == m_widgets.end()) return;
      if (CanvasWidget::expectedActivation == found->second) CanvasWidget::expectedActivation = nullptr;
      found->second->hide();
      found->second->deleteLater();  // it may be inside one of its own event handlers
      m_widgets.erase(found);
    });
  }
  void WindowChanged(HWND window) override {
    auto record = Windows().Find(window);
    if (!record || record->IsChild()) return;
    Facts facts = FactsOf(*record);
    OnGui([this, window, facts] {
      auto found = m_widgets.find(window);
      if (found != m_widgets.end()) Sync(*found->second, facts);
    });
  }
  void Present(HWND window, Surface&& surface) override {
    // The image takes the composed pixels over instead of copying them.
    auto* pixels = new Surface(std::move(surface));
    QImage image(reinterpret_cast<const uchar*>(pixels->Bits()), pixels->Width(), pixels->Height(),
                 pixels->BytesPerLine(), QImage::Format_RGB32, [](void* kept) { delete static_cast<Surface*>(kept); },
                 pixels);
    OnGui([this, window, image] {
      auto found = m_widgets.find(window);
      if (found == m_widgets.end()) return;
      found->second->image = image;
      found->second->update();
    });
  }
  void CursorChanged(HCURSOR cursor) override {
    OnGui([this, cursor] {
      QCursor shape = CursorFor(cursor);
      for (auto& [handle, widget] : m_widgets) widget->setCursor(shape);
    });
  }
  void CaptureChanged(HWND window) override {
    HWND top = window ? TopLevelOf(window) : nullptr;
    OnGui([this, top] {
      if (!RealScreen()) return;
      for (auto& [handle, widget] : m_widgets) {
        if (handle == top) widget->grabMouse();
        else if (QWidget::mouseGrabber() == widget) widget->releaseMouse();
      }
    });
  }
  SIZE ScreenSize() override {
    if (OnGuiThread() && QGuiApplication::primaryScreen()) {
      QSize size = QGuiApplication::primaryScreen()->geometry().size();
      m_screen = SIZE{size.width(), size.height()};
    }
    return m_screen;
  }
  bool ProcessEvents(DWORD wait) override {
    if (!EnsureGuiApplication()) return false;
    if (wait == 0) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
      QTimer limit;
      limit.setSingleShot(true);
      limit.start(static_cast<int>(wait));
      QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
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
  // Qt's widgets live on one thread: the program's first one, where the
  // application is made.
  static bool OnGuiThread() {
    if (!QCoreApplication::instance()) {
      if (GetCurrentThreadId() != static_cast<DWORD>(getpid())) return false;
      return EnsureGuiApplication();
    }
    return QThread::currentThread() == QCoreApplication::instance()->thread();
  }

  // Runs work on Qt's thread: at once there, else through Qt's queue (a
  // window of another thread waits for Qt's thread to look at its events).
  void OnGui(std::function<void()> work) {
    if (OnGuiThread()) {
      work();
    } else if (QCoreApplication::instance()) {
      QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
    }
  }

  // Qt's offscreen screen (tests) has no stacking and no mouse grab to ask for.
  static bool RealScreen() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }
  static void Raise(QWidget& widget) {
    if (RealScreen()) widget.raise();
  }

  void Sync(CanvasWidget& widget, const Facts& facts) {
    if (widget.syncing) return;
    Facts before = widget.facts;
    widget.facts = facts;
    widget.syncing = true;
    widget.setWindowTitle(facts.title);
    if (facts.topmost != before.topmost) {
      bool visible = widget.isVisible();
      widget.setWindowFlag(Qt::WindowStaysOnTopHint, facts.topmost);
      if (visible) widget.show();
    }
    if (!facts.minimized && widget.geometry() != facts.geometry) widget.setGeometry(facts.geometry);
    widget.setEnabled(facts.enabled);
    if (facts.shown && facts.minimized && !widget.isMinimized()) widget.showMinimized();
    else if (facts.shown && !facts.minimized && (widget.isMinimized() || !widget.isVisible())) widget.showNormal();
    else if (!facts.shown && widget.isVisible()) widget.hide();
    if (facts.shown && (facts.zIndex == 0 && before.zIndex != 0)) Raise(widget);
    if (facts.shown && facts.foreground && !before.foreground) {
      Raise(widget);
      CanvasWidget::expectedActivation = &widget;
      widget.activateWindow();
    }
    widget.syncing = false;
    widget.update();
  }

  std::map<HWND, CanvasWidget*> m_widgets;  // Qt's thread only
  DWORD m_threadId = 0;
  SIZE m_screen{1024, 768};
};

QtWindowHost host;

// Linking the backend puts windows on the screen.
struct Installer {
  Installer() { InstallWindowHost(&host); }
  ~Installer() { InstallWindowHost(nullptr); }
} installer;

}  // namespace
}  // namespace layer
