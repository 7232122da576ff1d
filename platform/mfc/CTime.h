// A point in time to the second, in local time.
#pragma once

#include <ctime>

#include "mfc/CString.h"
#include "win32/Types.h"

class CTime {
 public:
  CTime() = default;
  explicit CTime(std::time_t time) : m_time(time) {}
  CTime(int year, int month, int day, int hour, int minute, int second);
  explicit CTime(const SYSTEMTIME& time);
  // A file time (UTC) as the moment it stands for.
  explicit CTime(const FILETIME& time);

  // Now, from the layer's clock.
  static CTime GetCurrentTime();

  std::time_t GetTime() const { return m_time; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday ... 7 Saturday

  // The time as text by the C runtime's strftime codes ("%d.%m.%Y %H:%M:%S"),
  // in local time or in UTC.
  CString Format(LPCSTR format) const;
  CString FormatGmt(LPCSTR format) const;

  bool operator==(const CTime& other) const { return m_time == other.m_time; }
  bool operator!=(const CTime& other) const { return m_time != other.m_time; }
  bool operator<(const CTime& other) const { return m_time < other.m_time; }

 private:
  std::tm Local() const;
  std::time_t m_time = 0;
};
