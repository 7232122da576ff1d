// How many threads this process runs, for tests that must not end while a
// thread of the program under test is still winding down: a detached thread
// that is still destroying its thread-local data when the process exits
// meets the toolkit's statics already gone.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <thread>

namespace layer::testing {

inline std::size_t ThreadCount() {
  std::error_code error;
  std::filesystem::directory_iterator tasks("/proc/self/task", error);
  if (error) return 0;
  return static_cast<std::size_t>(std::distance(tasks, std::filesystem::directory_iterator()));
}

// Waits until at most count threads run, or the patience is spent; whether
// they did.
inline bool AwaitThreadCountAtMost(std::size_t count, std::chrono::milliseconds patience = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (ThreadCount() > count) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace layer::testing
