#include "win32/Clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace layer {
namespace {

SYSTEMTIME FromTm(const std::tm& tm, int milliseconds) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(tm.tm_year + 1900);
  st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  st.wDay = static_cast<WORD>(tm.tm_mday);
  st.wHour = static_cast<WORD>(tm.tm_hour);
  st.wMinute = static_cast<WORD>(tm.tm_min);
  st.wSecond = static_cast<WORD>(tm.tm_sec);
  st.wMilliseconds = static_cast<WORD>(milliseconds);
  return st;
}

class SystemClock : public Clock {
 public:
  DWORD TickCount() override {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  }
  void Sleep(DWORD milliseconds) override {
    if (milliseconds == 0) {
      std::this_thread::yield();
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  SYSTEMTIME LocalTime() override {
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    int millis = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return FromTm(tm, millis);
  }
};

SystemClock systemClock;
std::atomic<Clock*> installed{nullptr};

}  // namespace

Clock& CurrentClock() {
  Clock* clock = installed.load();
  return clock ? *clock : systemClock;
}

void InstallClock(Clock* clock) { installed.store(clock); }

ManualClock::ManualClock(DWORD startTick) : m_tick(startTick) {}

DWORD ManualClock::TickCount() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_tick;
}

void ManualClock::Sleep(DWORD milliseconds) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tick += milliseconds;
    m_slept += milliseconds;
    ++m_sleepCalls;
  }
  // Other threads still get to run while a test's thread "waits".
  std::this_thread::yield();
}

SYSTEMTIME ManualClock::LocalTime() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_local;
}

void ManualClock::Advance(DWORD milliseconds) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_tick += milliseconds;
}

void ManualClock::SetLocalTime(const SYSTEMTIME& time) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_local = time;
}

DWORD ManualClock::SleptMilliseconds() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_slept;
}

int ManualClock::SleepCalls() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_sleepCalls;
}

}  // namespace layer

void Sleep(DWORD milliseconds) { layer::CurrentClock().Sleep(milliseconds); }

DWORD GetTickCount() { return layer::CurrentClock().TickCount(); }

void GetLocalTime(LPSYSTEMTIME time) {
  if (time) *time = layer::CurrentClock().LocalTime();
}

void GetSystemTime(LPSYSTEMTIME time) {
  if (!time) return;
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  *time = layer::FromTm(tm, 0);
}
