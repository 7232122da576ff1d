// A CUPS scheduler of a test's own (its own folder, configuration and
// socket) with one queue, "varno-test", that prints through the generic
// PostScript driver into a file, made the desktop's default printer. Where
// no scheduler can start, Start says why.
#pragma once

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "testing/TempFolder.h"

namespace layer::testing {

inline const char* const kQueue = "varno-test";

inline bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

inline int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Waits for something another program does, a short step at a time.
template <class Done>
inline bool WaitFor(Done done, std::chrono::seconds limit) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

class CupsScheduler {
 public:
  // Empty when the scheduler runs, else why it does not.
  std::string Start() {
    for (const char* program : {"cupsd", "lpadmin", "cupsreject", "gs"})
      if (!OnPath(program)) return std::string(program) + " is not installed (Debian packages cups, cups-client, ghostscript)";
    std::string root = m_folder.Path();
    for (const char* sub : {"spool", "cache", "state", "log", "tmp", "out"})
      std::filesystem::create_directories(root + "/" + sub);
    // The scheduler runs filters as another user when started as root: they need to reach the output.
    chmod(root.c_str(), 0755);
    chmod((root + "/out").c_str(), 0777);
    chmod((root + "/tmp").c_str(), 01777);
    m_socket = root + "/cups.sock";
    m_folder.Write("cupsd.conf", "Listen " + m_socket +
                                     "\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                     "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    m_folder.Write("cups-files.conf", "FileDevice Yes\nServerRoot " + root + "\nRequestRoot " + root + "/spool\nCacheDir " +
                                          root + "/cache\nStateDir " + root + "/state\nTempDir " + root +
                                          "/tmp\nPrintcap " + root + "/printcap\nAccessLog " + root +
                                          "/log/access_log\nErrorLog " + root + "/log/error_log\nPageLog " + root +
                                          "/log/page_log\n");
    setenv("CUPS_SERVER", m_socket.c_str(), 1);
    m_pid = fork();
    if (m_pid == 0) {
      std::string conf = root + "/cupsd.conf", files = root + "/cups-files.conf";
      execlp("cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    if (m_pid < 0) return "the scheduler could not be started";
    if (!WaitFor([&] { return Answers(); }, std::chrono::seconds(15)))
      return "the scheduler did not answer: " + ReadAll(root + "/log/error_log");
    std::string add = "lpadmin -p " + std::string(kQueue) + " -E -v file://" + Output() +
                      " -m drv:///sample.drv/generic.ppd";
    if (Shell(add) != 0) return "the queue could not be made: " + ReadAll(root + "/log/error_log");
    Shell("lpadmin -d " + std::string(kQueue));
    return "";
  }

  ~CupsScheduler() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }

  std::string Output() const { return m_folder.Path() + "/out/job.ps"; }
  std::string Log() const { return ReadAll(m_folder.Path() + "/log/error_log"); }

 private:
  bool Answers() const {
    int client = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, m_socket.c_str(), sizeof address.sun_path - 1);
    bool connected = connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(client);
    return connected;
  }

  layer::testing::TempFolder m_folder;
  std::string m_socket;
  pid_t m_pid = -1;
};

}  // namespace layer::testing
