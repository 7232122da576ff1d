#include "InstalledSystem.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace catalogue::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Stands in for the desktop's mail composer: keeps what it was asked to send.
constexpr const char* kComposer = "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/mail.txt\"\n";

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool Alive(pid_t pid) { return pid > 0 && kill(pid, 0) == 0; }

}  // namespace

InstalledSystem::InstalledSystem(const layer::testing::XDesktop& desktop, const std::string& journey)
    : m_desktop(desktop), m_journey(journey) {
  fs::copy(VARNO_CATALOGUE_DIR, Folder(), fs::copy_options::recursive);
  fs::create_directories(Home());
  m_root.Write("mailer.sh", kComposer);
  fs::permissions(m_root / "mailer.sh", fs::perms::owner_all);
  // The programs find their settings, documents and drives under the home,
  // as on a person's desktop; the test's own variables stay as they are.
  for (char** entry = environ; *entry; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    bool ours = name.rfind("VARNO_", 0) == 0 && name != "VARNO_IPC_SPACE";
    if (ours || name == "DISPLAY" || name == "QT_QPA_PLATFORM" || name == "HOME" || name.rfind("XDG_", 0) == 0 ||
        name == "MAILER")
      continue;
    m_environment.push_back(text);
  }
  m_environment.push_back("DISPLAY=" + desktop.Display());
  m_environment.push_back("QT_QPA_PLATFORM=xcb");
  m_environment.push_back("HOME=" + Home());
  m_environment.push_back("XDG_RUNTIME_DIR=" + (m_root / "runtime"));
  m_environment.push_back("MAILER=" + (m_root / "mailer.sh"));
  fs::create_directories(m_root / "runtime");
  fs::permissions(m_root / "runtime", fs::perms::owner_all);
}

InstalledSystem::~InstalledSystem() { EndPrograms(); }

bool InstalledSystem::StartViewer(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{VARNO_VIEWER};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  m_viewer = StartProgram(argv, {}, "viewer.err");
  if (m_viewer > 0) m_others.pop_back();  // ended as the viewer
  m_viewerEnded = false;
  return m_viewer > 0;
}

pid_t InstalledSystem::StartProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& changes,
                                    const std::string& errorsFile) {
  std::vector<std::string> argv = arguments;
  std::vector<std::string> environment;
  auto changed = [&](const std::string& entry) {
    for (const std::string& change : changes)
      if (change.substr(0, change.find('=') + 1) == entry.substr(0, entry.find('=') + 1)) return true;
    return false;
  };
  for (const std::string& entry : m_environment)
    if (!changed(entry)) environment.push_back(entry);
  environment.insert(environment.end(), changes.begin(), changes.end());
  std::string folder = Folder();
  std::string errors = m_root / errorsFile;
  pid_t program = fork();
  if (program == 0) {
    int null = open("/dev/null", O_RDWR);
    int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    auto args = Pointers(argv);
    auto envp = Pointers(environment);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (program > 0) m_others.push_back(program);
  return program > 0 ? program : -1;
}

int InstalledSystem::WaitForViewerEnd(std::chrono::milliseconds limit) {
  const int code = WaitForEnd(m_viewer, limit);
  if (code != kStillRunning) m_viewerEnded = true;
  return code == kStillRunning ? -1 : code;
}

int InstalledSystem::WaitForEnd(pid_t program, std::chrono::milliseconds limit) {
  auto deadline = Clock::now() + limit;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(program, &status, WNOHANG);
    if (done == program) {
      m_others.erase(std::remove(m_others.begin(), m_others.end(), program), m_others.end());
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (done < 0) return -1;
    if (Clock::now() >= deadline) return kStillRunning;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string InstalledSystem::ViewerErrors() const { return m_root.Read("viewer.err"); }

layer::testing::TopWindow InstalledSystem::WaitForViewer(std::chrono::milliseconds limit) {
  // The main window's title is the shown face's; it shows once the first key stands.
  pid_t viewer = m_viewer;
  return layer::testing::WaitForWindow(
      [viewer](const layer::testing::TopWindow& window) {
        return window.processId == static_cast<DWORD>(viewer) && window.enabled &&
               window.title.find("RM 46") != std::string::npos;
      },
      limit);
}

std::string InstalledSystem::Screenshot(const std::string& step) const {
  fs::create_directories(VARNO_JOURNEY_SCREENSHOTS);
  std::string path = std::string(VARNO_JOURNEY_SCREENSHOTS) + "/" + m_journey + "-" + step + ".png";
  m_desktop.Screenshot(path);
  return path;
}

void InstalledSystem::EndPrograms() {
  // The programs of this space: the viewer and whatever showed windows here.
  std::set<pid_t> programs;
  if (!m_viewerEnded && m_viewer > 0) programs.insert(m_viewer);
  for (pid_t other : m_others) programs.insert(other);
  for (const auto& window : layer::testing::TopWindows())
    if (window.processId != static_cast<DWORD>(getpid())) programs.insert(static_cast<pid_t>(window.processId));
  for (pid_t pid : programs) kill(pid, SIGTERM);
  auto deadline = Clock::now() + std::chrono::seconds(5);
  for (pid_t pid : programs) {
    while (Alive(pid) && Clock::now() < deadline) {
      waitpid(pid, nullptr, WNOHANG);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (Alive(pid)) kill(pid, SIGKILL);
    waitpid(pid, nullptr, WNOHANG);
  }
  if (!m_viewerEnded && m_viewer > 0) waitpid(m_viewer, nullptr, 0);
}

}  // namespace catalogue::testing
