#include "qt/Screenshot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "qt/GuiApplication.h"
#include "win32/UserWindow.h"
#include "win32/WindowHost.h"

namespace layer {

bool SaveWindowPng(HWND handle, const std::string& path) {
  auto window = WindowOf(handle);
  if (!window || !EnsureGuiApplication()) return false;
  Surface composed = ComposeWindow(*window);
  QImage image(reinterpret_cast<const uchar*>(composed.Bits()), composed.Width(), composed.Height(),
               composed.BytesPerLine(), QImage::Format_RGB32);
  return image.save(QString::fromStdString(path), "PNG");
}

bool SaveScreenPng(const std::string& path) {
  if (!EnsureGuiApplication() || !QGuiApplication::primaryScreen()) return false;
  PresentWindows();
  QCoreApplication::processEvents();
  return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(path), "PNG");
}

}  // namespace layer
