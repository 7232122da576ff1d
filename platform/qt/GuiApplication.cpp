#include "qt/GuiApplication.h"

#include <QApplication>
#include <cstdlib>

namespace layer {

bool EnsureGuiApplication() {
  if (QCoreApplication::instance()) return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "varno";
  static char* argv[] = {name, nullptr};
  // Lives until the program ends; windows and fonts may be used to the last moment.
  new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return true;
}

}  // namespace layer

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig and the desktop bus keep their caches until the process ends;
// that is not ours to free, so the leak checker of sanitised builds is told
// to look past it. The same holds for the toolkit's event-loop memory in a
// process forked from one whose toolkit threads were running: the threads
// that own it are not in the child.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libcups.so\nleak:libglib-2.0.so\n";
}
#endif
