// The per-user registry of top-level windows: every program of the user that
// owns top-level windows publishes them here (handle, owner process and
// thread, parent, flags, class name, title, user data) in one shared table,
// and every program finds the others' windows in it. The order of the table
// is the order in which GetWindow walks the windows, the topmost first.
// Entries of processes that have ended, and damaged entries, never count.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer::ipc {

constexpr DWORD kWindowVisible = 0x1;
constexpr DWORD kWindowEnabled = 0x2;
constexpr DWORD kWindowIconic = 0x4;

struct WindowEntry {
  DWORD handle = 0;
  DWORD processId = 0;
  DWORD threadId = 0;
  DWORD parent = 0;
  DWORD flags = kWindowEnabled;
  LONG userData = 0;
  std::string className;
  std::string title;
};

class WindowRegistry {
 public:
  // The registry of the user (its name may carry VARNO_IPC_SPACE, so that
  // tests keep to a registry of their own).
  static WindowRegistry& OfUser();
  explicit WindowRegistry(const std::string& objectName);
  ~WindowRegistry();
  WindowRegistry(const WindowRegistry&) = delete;
  WindowRegistry& operator=(const WindowRegistry&) = delete;

  // Adds or updates a window of this process; a new window goes on top.
  // False when the table is full or another live program holds the handle.
  bool Publish(const WindowEntry& entry);
  void Withdraw(DWORD handle);
  bool BringToTop(DWORD handle);
  std::optional<WindowEntry> Find(DWORD handle);
  // The live windows, the topmost first.
  std::vector<WindowEntry> Entries();
  // The topmost live window with that class and title (null: any), or 0.
  DWORD FindWindow(const char* className, const char* title);
  // The window that GW_HWNDFIRST, GW_HWNDLAST, GW_HWNDNEXT or GW_HWNDPREV
  // names from handle, or 0.
  DWORD Neighbour(DWORD handle, UINT relation);

 private:
  struct Table;
  struct Slot;
  class Access;
  static WindowEntry EntryOf(const Slot& slot);
  Table* m_table = nullptr;
  int m_fd = -1;
  std::mutex m_mutex;  // the file lock does not part the threads of one process
};

// The start time of a process as the system counts it, or 0 when it is gone;
// with the process id it names one run of a program.
std::uint64_t ProcessStartOf(DWORD processId);

}  // namespace layer::ipc
