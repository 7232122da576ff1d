#include "mfc/CTime.h"

#include "win32/CRuntime.h"
#include "win32/Clock.h"
#include "win32/Files.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  m_time = std::mktime(&tm);
}

CTime::CTime(const SYSTEMTIME& time)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond) {}

CTime::CTime(const FILETIME& time) : m_time(static_cast<std::time_t>(layer::UnixFromFileTime(time))) {}

CTime CTime::GetCurrentTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return CTime(now);
}

std::tm CTime::Local() const {
  std::tm tm{};
  localtime_r(&m_time, &tm);
  return tm;
}

int CTime::GetYear() const { return Local().tm_year + 1900; }
int CTime::GetMonth() const { return Local().tm_mon + 1; }
int CTime::GetDay() const { return Local().tm_mday; }
int CTime::GetHour() const { return Local().tm_hour; }
int CTime::GetMinute() const { return Local().tm_min; }
int CTime::GetSecond() const { return Local().tm_sec; }
int CTime::GetDayOfWeek() const { return Local().tm_wday + 1; }

CString CTime::Format(LPCSTR format) const { return CString(layer::FormatTime(format, Local()).c_str()); }

CString CTime::FormatGmt(LPCSTR format) const {
  std::tm tm{};
  gmtime_r(&m_time, &tm);
  return CString(layer::FormatTime(format, tm).c_str());
}
