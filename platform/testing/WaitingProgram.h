// A program of the system's (sleep) that waits in an environment of the
// test's choosing until the test ends it: a process to be found in the
// process table with the variables it was started with.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

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
  std::string m_program = "/bin/sleep";
  pid_t m_pid = 0;
};

}  // namespace layer::testing
