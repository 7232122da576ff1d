// A program of the system's (sleep) that waits in an environment of the
// test's choosing until the test ends it: a process to be found in the
// process table with the variables it was started with.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>

#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer::testing {

class WaitingProgram {
 public:
  // variables: "NAME=value" each; nothing else is set but PATH.
  explicit WaitingProgram(std::vector<std::string> variables) {
    variables.push_back("PATH=/usr/bin:/bin");
    std::vector<char*> envp;
    for (auto& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    char seconds[] = "60";
    char* argv[] = {m_program.data(), seconds, nullptr};
    if (posix_spawn(&m_pid, m_program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) m_pid = 0;
    if (m_pid > 0 && !AwaitProgram()) m_pid = 0;
  }
  ~WaitingProgram() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  WaitingProgram(const WaitingProgram&) = delete;
  WaitingProgram& operator=(const WaitingProgram&) = delete;

  // 0 when it could not be started.
  DWORD Id() const { return static_cast<DWORD>(m_pid); }
  // The program file's host path.
  const std::string& Program() const { return m_program; }

 private:
  // Until the new process runs the program, it is still a copy of this one,
  // with this one's variables; the program's own are in place a moment
  // after its file.
  bool AwaitProgram() {
    char real[PATH_MAX] = {};
    if (realpath(m_program.c_str(), real) == nullptr) return false;
    const std::string exe = "/proc/" + std::to_string(m_pid) + "/exe";
    for (int tries = 0; tries < 500; ++tries) {
      char running[PATH_MAX] = {};
      const ssize_t length = readlink(exe.c_str(), running, sizeof running - 1);
      if (length > 0 && std::string(running, static_cast<size_t>(length)) == real && HasVariables()) return true;
      usleep(10000);
    }
    return false;
  }

  bool HasVariables() const {
    std::ifstream environment("/proc/" + std::to_string(m_pid) + "/environ", std::ios::binary);
    return environment.get() != std::char_traits<char>::eof();
  }

  std::string m_program = "/bin/sleep";
  pid_t m_pid = 0;
};

}  // namespace layer::testing
