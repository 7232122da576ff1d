// Time as the system sees it: tick count, pauses and the local time, all read
// from one clock that a test can replace, so that waits and timers need no
// real waiting.
#pragma once

#include <mutex>

#include "win32/Types.h"

void Sleep(DWORD milliseconds);
DWORD GetTickCount();
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);

namespace layer {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps like the platform's tick count.
  virtual DWORD TickCount() = 0;
  virtual void Sleep(DWORD milliseconds) = 0;
  virtual SYSTEMTIME LocalTime() = 0;
};

// The clock every time function reads; the system clock unless replaced.
Clock& CurrentClock();
// Replaces the clock (nullptr puts the system clock back). The caller keeps
// ownership and removes its clock before destroying it.
void InstallClock(Clock* clock);

// A clock for tests: it stands still until advanced, and a pause advances it
// by the paused time at once.
class ManualClock : public Clock {
 public:
  explicit ManualClock(DWORD startTick = 1000);
  DWORD TickCount() override;
  void Sleep(DWORD milliseconds) override;
  SYSTEMTIME LocalTime() override;

  void Advance(DWORD milliseconds);
  void SetLocalTime(const SYSTEMTIME& time);
  // Total of all pauses taken since construction.
  DWORD SleptMilliseconds();
  int SleepCalls();

 private:
  std::mutex m_mutex;
  DWORD m_tick;
  DWORD m_slept = 0;
  int m_sleepCalls = 0;
  SYSTEMTIME m_local{2026, 1, 4, 1, 12, 0, 0, 0};
};

// Installs a clock for the lifetime of a scope.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock) { InstallClock(&clock); }
  ~ScopedClock() { InstallClock(nullptr); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace layer
