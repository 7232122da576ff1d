#include "InstalledSystem.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
  std::vector<std::string> environment = m_environment;
  std::string folder = Folder();
  std::string errors = m_root / "viewer.err";
  m_viewer = fork();
  if (m_viewer == 0) {
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
  m_viewerEnded = false;
  return m_viewer > 0;
}

int InstalledSystem::WaitForViewerEnd(std::chrono::milliseconds limit) {
  auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    int status = 0;
    pid_t done = waitpid(m_viewer, &status, WNOHANG);
    if (done == m_viewer) {
      m_viewerEnded = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (done < 0) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
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
