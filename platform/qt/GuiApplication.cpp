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
