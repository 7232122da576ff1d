// Programs reaching each other: a WM_COPYDATA block sent to another process
// and answered, and finding a window among those of the user's programs.
#include <benchmark/benchmark.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ipc/MessageServer.h"
#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowRegistry.h"
#include "testing/ChildProcess.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"

using namespace layer::ipc;

namespace {

const bool spaceChosen = [] {
  setenv("VARNO_IPC_SPACE", ("bench-" + std::to_string(getpid())).c_str(), 1);
  std::atexit([] {
    shm_unlink(("/varno4-" + std::to_string(getuid()) + "-windows-bench-" + std::to_string(getpid())).c_str());
  });
  return true;
}();

// The receiving program: copies the block, as a receiver must, and answers its size.
class Receiver : public LocalWindows {
 public:
  explicit Receiver(DWORD handle) : m_handle(handle) {}
  bool Owns(HWND window) override { return reinterpret_cast<UINT_PTR>(window) == m_handle; }
  BOOL Post(HWND, UINT, WPARAM, LPARAM) override { return TRUE; }
  LRESULT Send(HWND, UINT, WPARAM, LPARAM lParam) override {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    m_copy.assign(static_cast<const char*>(copy->lpData), copy->cbData);
    return static_cast<LRESULT>(m_copy.size());
  }
  BOOL Show(HWND, int) override { return TRUE; }
  BOOL Enable(HWND, BOOL) override { return TRUE; }
  BOOL BringToFront(HWND) override { return TRUE; }

 private:
  DWORD m_handle;
  std::string m_copy;
};

WindowEntry Entry(const std::string& className) {
  WindowEntry entry;
  entry.handle = layer::NewUserWindowHandle();
  entry.processId = GetCurrentProcessId();
  entry.flags = kWindowVisible | kWindowEnabled;
  entry.className = className;
  entry.title = className;
  return entry;
}

void CopyDataToAnotherProcess(benchmark::State& state) {
  WindowEntry entry = Entry("BenchReceiver");
  layer::testing::ChildProcess receiver([&](layer::testing::ChildProcess& self) {
    static Receiver windows(entry.handle);
    if (!StartListening(windows) || !WindowRegistry::OfUser().Publish(entry)) return 1;
    self.Signal();
    self.Await();
    return 0;
  });
  if (!receiver.Await()) {
    state.SkipWithError("no receiver");
    return;
  }
  RemoteWindowsClient remote(WindowRegistry::OfUser());
  std::string block(4096, 'b');
  COPYDATASTRUCT copy{4, static_cast<DWORD>(block.size()), block.data()};
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry.handle));
  for (auto _ : state) {
    DWORD_PTR result = 0;
    if (!remote.Send(window, 0x004A, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 5000, &result) ||
        result != block.size()) {
      state.SkipWithError("send failed");
      break;
    }
  }
  receiver.Signal();
}
BENCHMARK(CopyDataToAnotherProcess)->Unit(benchmark::kMicrosecond);

void FindWindowAmongFifty(benchmark::State& state) {
  WindowRegistry& registry = WindowRegistry::OfUser();
  std::vector<WindowEntry> entries;
  for (int i = 0; i < 50; ++i) {
    entries.push_back(Entry("Class" + std::to_string(i)));
    registry.Publish(entries.back());
  }
  // The window published first lies at the bottom of the order.
  for (auto _ : state) benchmark::DoNotOptimize(registry.FindWindow("class0", nullptr));
  for (const WindowEntry& entry : entries) registry.Withdraw(entry.handle);
}
BENCHMARK(FindWindowAmongFifty)->Unit(benchmark::kMicrosecond);

}  // namespace
