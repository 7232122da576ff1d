// The viewer program's start on the sample catalogue, a process of its own,
// up to its start key's face painted, beside a plain Qt program's start up to
// its first paint (bench/QtFirstPaint.cpp). Both are started alike, through
// the layer's CreateProcess, and timed alike, from the start to the return of
// WaitForInputIdle: the viewer's message loop first runs dry once the face
// is painted and on the screen, the peer tells its starter after its first
// paint. The viewer starts its order-list program and waits for it, as a
// user's start does; a second pairing sets it beside the peer doing the like
// with a helper program of its own, so that both sides start two programs
// one after the other. The catalogue is copied once into a temporary folder;
// the runs before the timed ones leave the user's settings there, as a
// user's earlier session would.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/Pairing.h"
#include "ipc/CrossProcessWindows.h"
#include "win32/CrossProcess.h"
#include "win32/Paths.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kPatience = 20000;
constexpr const char* kStartTitle = "Rasenmaeher RM 46 - Baugruppen";

// The programs run in a window space of their own, with the catalogue in a
// folder of its own.
class Setting {
 public:
  Setting() {
    const std::string space = "start-bench-" + std::to_string(::getpid());
    setenv("VARNO_IPC_SPACE", space.c_str(), 0);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    m_joined = layer::ipc::StartCrossProcessWindows();
    m_folder = fs::temp_directory_path() / ("varno-start-bench-" + std::to_string(::getpid()));
    fs::copy(VARNO_CATALOGUE_DIR, m_folder, fs::copy_options::recursive);
  }
  ~Setting() {
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }
  bool Joined() const { return m_joined; }
  std::string Folder() const { return layer::SystemPath(m_folder.string()); }

 private:
  bool m_joined = false;
  fs::path m_folder;
};

Setting& TheSetting() {
  static Setting setting;
  return setting;
}

class Started {
 public:
  Started(const char* program, const std::string& folder) {
    std::string line = program;
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    m_started = CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &m_process) != FALSE;
  }
  ~Started() {
    if (!m_started) return;
    WaitForSingleObject(m_process.hProcess, kPatience);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  // True when the program's message loop first ran dry in time.
  bool AwaitReady() { return m_started && WaitForInputIdle(m_process.hProcess, kPatience) == 0; }

 private:
  bool m_started = false;
  PROCESS_INFORMATION m_process{};
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One start of the viewer up to its first painted face, then its end (not
// timed); a negative time when it did not show its start key.
double ViewerStart() {
  auto start = std::chrono::steady_clock::now();
  Started viewer("varno4.exe", TheSetting().Folder());
  if (!viewer.AwaitReady()) return -1;
  const double seconds = SecondsSince(start);
  HWND main = FindWindow(nullptr, kStartTitle);
  if (main == nullptr) return -1;  // ready before its face was shown
  PostMessage(main, WM_CLOSE, 0, 0);
  return seconds;
}

double PeerStartOf(const char* line) {
  auto start = std::chrono::steady_clock::now();
  Started peer(line, "");
  return peer.AwaitReady() ? SecondsSince(start) : -1;
}

double PeerStart() { return PeerStartOf("qt_first_paint"); }

// The same with the work that the viewer's start has besides its own: a
// waiting window, a second program started and waited for until it is ready.
double PeerWithHelperStart() { return PeerStartOf("qt_first_paint --with-helper"); }

void Measure(benchmark::State& state, double (*run)(), const char* failure) {
  if (!TheSetting().Joined()) {
    state.SkipWithError("the window registry cannot be joined");
    return;
  }
  for (int warm = 0; warm < 2; ++warm) run();
  for (auto _ : state) {
    const double seconds = run();
    if (seconds < 0) {
      state.SkipWithError(failure);
      break;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_ViewerStartToFirstFace(benchmark::State& state) {
  Measure(state, ViewerStart, "the viewer did not show its start key");
}
BENCHMARK(BM_ViewerStartToFirstFace)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_QtProgramStartToFirstPaint(benchmark::State& state) {
  Measure(state, PeerStart, "the Qt program did not paint");
}
BENCHMARK(BM_QtProgramStartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_QtProgramWithHelperStartToFirstPaint(benchmark::State& state) {
  Measure(state, PeerWithHelperStart, "the Qt program with its helper did not paint");
}
BENCHMARK(BM_QtProgramWithHelperStartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

const bool kPaired =
    bench::Pair("viewer start to first face", "BM_ViewerStartToFirstFace", "BM_QtProgramStartToFirstPaint");
const bool kPairedWithHelper = bench::Pair("viewer start, two programs each", "BM_ViewerStartToFirstFace",
                                           "BM_QtProgramWithHelperStartToFirstPaint");

}  // namespace
