// Runs a piece of a test in a second process, for what must be seen across
// processes (file sharing, named objects). The child reports through its exit
// code; the two sides meet at steps through a pair of pipes.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace layer::testing {

class ChildProcess {
 public:
  // body runs in the child with this object to talk back; its result is the
  // child's exit code.
  explicit ChildProcess(std::function<int(ChildProcess&)> body) {
    if (pipe(m_toParent) != 0 || pipe(m_toChild) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      m_inChild = true;
      int code = body(*this);
      _exit(code);
    }
  }
  ~ChildProcess() {
    if (!m_inChild && m_pid > 0 && !m_waited) Wait();
    for (int fd : {m_toParent[0], m_toParent[1], m_toChild[0], m_toChild[1]})
      if (fd >= 0) close(fd);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }
  // Tells the other side that a step is done; waits for the other side's word.
  void Signal() {
    char step = 1;
    [[maybe_unused]] auto written = write(m_inChild ? m_toParent[1] : m_toChild[1], &step, 1);
  }
  bool Await() {
    char step = 0;
    return read(m_inChild ? m_toChild[0] : m_toParent[0], &step, 1) == 1;
  }
  // The child's exit code, or -1 when it did not exit normally.
  int Wait() {
    int status = 0;
    m_waited = true;
    if (waitpid(m_pid, &status, 0) != m_pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  int m_toParent[2] = {-1, -1};
  int m_toChild[2] = {-1, -1};
  pid_t m_pid = -1;
  bool m_inChild = false;
  bool m_waited = false;
};

}  // namespace layer::testing
