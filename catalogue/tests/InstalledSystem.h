// The sample installation as a person runs it, for the journeys: a copy of
// the built installation in a folder of its own with a home of its own, the
// real viewer started in it the way scripts/setup starts it (the viewer
// starts the order-list and where-used programs itself), shown on a test
// desktop. Nothing is stubbed but the mail composer (MAILER) and the printer,
// which is the PDF printer.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "testing/WindowLook.h"
#include "testing/XDesktop.h"

namespace catalogue::testing {

class InstalledSystem {
 public:
  // Copies the installation; a journey's name names its screenshots.
  InstalledSystem(const layer::testing::XDesktop& desktop, const std::string& journey);
  // Ends every program of the installation that is still running.
  ~InstalledSystem();
  InstalledSystem(const InstalledSystem&) = delete;
  InstalledSystem& operator=(const InstalledSystem&) = delete;

  // The installation's folder (the viewer's current folder), and the home.
  std::string Folder() const { return m_root / "rm46"; }
  std::string Home() const { return m_root / "home"; }
  // Where the mail composer stand-in writes the mailto: address it was given.
  std::string MailFile() const { return m_root / "mail.txt"; }

  // Starts the viewer as scripts/setup does: in the installation's folder, on
  // the test desktop. False when it could not be started.
  bool StartViewer(const std::vector<std::string>& arguments = {});
  pid_t ViewerProcess() const { return m_viewer; }
  // Waits for the viewer to end; its exit code, -1 when it did not end in
  // time or was ended by a signal.
  int WaitForViewerEnd(std::chrono::milliseconds limit = std::chrono::seconds(30));
  // What the viewer wrote to standard error.
  std::string ViewerErrors() const;

  // The viewer's main window, once it shows a face (waited for).
  layer::testing::TopWindow WaitForViewer(std::chrono::milliseconds limit = std::chrono::seconds(60));

  // Keeps a picture of the screen in the build's screenshots/journeys folder
  // as <journey>-<step>.png; its path.
  std::string Screenshot(const std::string& step) const;

  // The environment the programs get ("NAME=value").
  const std::vector<std::string>& Environment() const { return m_environment; }

  // Starts a program as a person does from a shell in the installation's
  // folder: arguments (the program first), the programs' environment with
  // the variables of changes set over it, standard error into a file of
  // that name beside the installation (Read it with Errors). Its process
  // id, -1 when it could not be started; it is ended with the others.
  pid_t StartProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& changes,
                     const std::string& errorsFile);
  std::string Errors(const std::string& errorsFile) const { return m_root.Read(errorsFile); }
  // Waits for a program started here to end; its exit code, -1 when it was
  // ended by a signal, kStillRunning when it did not end in time.
  static constexpr int kStillRunning = -2;
  int WaitForEnd(pid_t program, std::chrono::milliseconds limit = std::chrono::seconds(30));

 private:
  void EndPrograms();

  const layer::testing::XDesktop& m_desktop;
  std::string m_journey;
  layer::testing::TempFolder m_root;
  std::vector<std::string> m_environment;
  pid_t m_viewer = -1;
  bool m_viewerEnded = false;
  std::vector<pid_t> m_others;  // started by StartProgram
};

}  // namespace catalogue::testing
