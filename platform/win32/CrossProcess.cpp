#include "win32/CrossProcess.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>

namespace layer {
namespace {

std::atomic<RemoteWindows*> installed{nullptr};

constexpr DWORD kFirstHandle = 0x00010000;
constexpr DWORD kLastHandle = 0x7FFFFFF0;

// One counter shared by the user's programs through a small shared file;
// a program that cannot reach it counts on its own from a start of its own.
std::atomic<DWORD>* SharedCounter() {
  static std::atomic<DWORD>* counter = [] {
    std::string name = "/varno4-" + std::to_string(getuid()) + "-window-handles";
    int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return static_cast<std::atomic<DWORD>*>(nullptr);
    void* page = nullptr;
    if (ftruncate(fd, 4096) == 0) page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    return page == MAP_FAILED ? nullptr : static_cast<std::atomic<DWORD>*>(page);
  }();
  return counter;
}

}  // namespace

RemoteWindows* CurrentRemoteWindows() { return installed.load(); }

void InstallRemoteWindows(RemoteWindows* remote) { installed.store(remote); }

DWORD NewUserWindowHandle() {
  static std::atomic<DWORD> own{kFirstHandle + (static_cast<DWORD>(getpid()) << 8) % (kLastHandle - kFirstHandle)};
  std::atomic<DWORD>* counter = SharedCounter();
  for (;;) {
    DWORD value = (counter ? counter : &own)->fetch_add(4) + 4;
    // A fresh page starts at 0; the range wraps round past its end.
    if (value >= kFirstHandle && value <= kLastHandle) return value;
    DWORD expected = value;
    (counter ? counter : &own)->compare_exchange_strong(expected, kFirstHandle);
  }
}

}  // namespace layer
