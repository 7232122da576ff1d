// Pictures of the running viewer on the sample catalogue for a look with
// one's own eyes: the start key with menus, toolbar and status bar, the
// assembly a click on the start page's drawing leads to, the start key again
// in English, and the about box over it.
//
//   varno4_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <filesystem>
#include <string>

#include "Main/CAboutDlg.h"
#include "Main/tests/ViewerSession.h"
#include "qt/Screenshot.h"

namespace {

std::string folder;

void Save(HWND window, const char* name) {
  const std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveWindowPng(window, path) ? "wrote" : "could not write", path.c_str());
}

void SaveScreen(const char* name) {
  const std::string path = folder + "/" + name;
  std::printf("%s %s\n", layer::SaveScreenPng(path) ? "wrote" : "could not write", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  folder = std::filesystem::absolute(argc > 1 ? argv[1] : "screenshots/viewer").string();
  std::filesystem::create_directories(folder);
  varno::testing::ViewerSession viewer;
  if (!viewer.Start()) {
    std::fprintf(stderr, "the viewer did not show its start key\n");
    return 1;
  }
  const HWND main = viewer.App().m_hMainWnd;
  Save(main, "viewer-start.png");
  SaveScreen("viewer-start-screen.png");

  if (viewer.ClickHotspot("Uebersicht", "2")) {
    viewer.Pump();
    Save(main, "viewer-assembly.png");
  }
  PostMessage(main, WM_COMMAND, 305, 0);  // back
  viewer.Pump();
  PostMessage(main, WM_COMMAND, 401, 0);  // program language English
  PostMessage(main, WM_COMMAND, 431, 0);  // data language English
  viewer.Pump();
  Save(main, "viewer-start-english.png");

  CAboutDlg about(viewer.Main());
  if (about.Create(CAboutDlg::IDD, viewer.Main())) {
    about.ShowWindow(SW_SHOW);
    viewer.Pump();
    Save(about.m_hWnd, "viewer-about.png");
    SaveScreen("viewer-about-screen.png");
    about.DestroyWindow();
  }
  return 0;
}
