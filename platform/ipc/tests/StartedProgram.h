// A program of the tests started as the system starts programs, and ended
// (killed if need be) with the test.
#pragma once

#include <signal.h>

#include <string>

#include "win32/Process.h"

class StartedProgram {
 public:
  explicit StartedProgram(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    started = CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  }
  ~StartedProgram() {
    if (!started) return;
    kill(static_cast<pid_t>(info.dwProcessId), SIGKILL);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  DWORD ExitCode() {
    WaitForSingleObject(info.hProcess, 20000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }

  PROCESS_INFORMATION info{};
  bool started = false;
};
