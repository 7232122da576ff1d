#include "win32/CRuntime.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/KernelObjects.h"
#include "win32/Paths.h"

namespace {

constexpr char kCtrlZ = 0x1A;

struct StreamMode {
  DWORD access = 0;
  DWORD disposition = 0;
  bool append = false;
  bool text = true;
};

bool ParseMode(std::string_view mode, StreamMode& out) {
  if (mode.empty()) return false;
  bool plus = mode.size() > 1 && mode[1] == '+';
  switch (mode[0]) {
    case 'r': out = {GENERIC_READ, OPEN_EXISTING}; break;
    case 'w': out = {GENERIC_WRITE, CREATE_ALWAYS}; break;
    case 'a': out = {GENERIC_WRITE, OPEN_ALWAYS, true}; break;
    default: return false;
  }
  if (plus) out.access = GENERIC_READ | GENERIC_WRITE;
  for (char c : mode.substr(plus ? 2 : 1)) {
    if (c == 'b')
      out.text = false;
    else if (c == 't')
      out.text = true;
    else if (c != 'c' && c != 'n')  // commit flags: nothing to do here
      return false;
  }
  return true;
}

int ErrnoFromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return ENOENT;
    case ERROR_INVALID_PARAMETER: return EINVAL;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    default: return EACCES;
  }
}

int ShareFlags(int sharing) {
  switch (sharing) {
    case _SH_DENYRW: return 0;
    case _SH_DENYWR: return FILE_SHARE_READ;
    case _SH_DENYRD: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

// A stream on a layer file handle; text streams translate line ends.
struct StreamCookie {
  HANDLE file;
  int fd;
  bool append;
  bool text;
  bool atCtrlZ = false;
};

ssize_t ReadRaw(int fd, char* buffer, size_t size) {
  ssize_t got;
  do got = ::read(fd, buffer, size);
  while (got < 0 && errno == EINTR);
  return got;
}

bool WriteAll(int fd, const char* bytes, size_t size) {
  while (size > 0) {
    ssize_t put = ::write(fd, bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

// CR LF becomes LF; a Ctrl-Z ends the stream where it stands.
ssize_t ReadText(StreamCookie& stream, char* buffer, size_t size) {
  if (stream.atCtrlZ) return 0;
  ssize_t got = ReadRaw(stream.fd, buffer, size);
  if (got <= 0) return got;
  size_t in = 0, out = 0, raw = static_cast<size_t>(got);
  while (in < raw) {
    char c = buffer[in++];
    if (c == kCtrlZ) {
      stream.atCtrlZ = true;
      lseek(stream.fd, -static_cast<off_t>(raw - (in - 1)), SEEK_CUR);
      break;
    }
    if (c == '\r') {
      if (in < raw) {
        if (buffer[in] == '\n') {
          c = '\n';
          ++in;
        }
      } else if (char next; ReadRaw(stream.fd, &next, 1) == 1) {
        if (next == '\n')
          c = '\n';
        else
          lseek(stream.fd, -1, SEEK_CUR);
      }
    }
    buffer[out++] = c;
  }
  return static_cast<ssize_t>(out);
}

ssize_t CookieRead(void* cookie, char* buffer, size_t size) {
  auto& stream = *static_cast<StreamCookie*>(cookie);
  return stream.text ? ReadText(stream, buffer, size) : ReadRaw(stream.fd, buffer, size);
}

ssize_t CookieWrite(void* cookie, const char* bytes, size_t size) {
  auto& stream = *static_cast<StreamCookie*>(cookie);
  if (stream.append) lseek(stream.fd, 0, SEEK_END);
  if (!stream.text) return WriteAll(stream.fd, bytes, size) ? static_cast<ssize_t>(size) : -1;
  std::string translated;
  translated.reserve(size + size / 8);
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\n') translated += '\r';
    translated += bytes[i];
  }
  return WriteAll(stream.fd, translated.data(), translated.size()) ? static_cast<ssize_t>(size) : -1;
}

int CookieSeek(void* cookie, off64_t* offset, int whence) {
  auto& stream = *static_cast<StreamCookie*>(cookie);
  off_t at = lseek(stream.fd, *offset, whence);
  if (at < 0) return -1;
  stream.atCtrlZ = false;
  *offset = at;
  return 0;
}

int CookieClose(void* cookie) {
  auto* stream = static_cast<StreamCookie*>(cookie);
  BOOL closed = CloseHandle(stream->file);
  delete stream;
  return closed ? 0 : EOF;
}

unsigned DriveNumber(const char* path) {
  if (std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
    return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(path[0])) - 'A');
  return 2;  // the current drive: C
}

bool IsProgramName(std::string_view path) {
  if (path.size() < 4 || path[path.size() - 4] != '.') return false;
  std::string extension;
  for (char c : path.substr(path.size() - 3))
    extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "exe" || extension == "com" || extension == "bat" || extension == "cmd";
}

}  // namespace

FILE* _fsopen(const char* name, const char* mode, int sharing) {
  StreamMode parsed;
  if (!name || !mode || !ParseMode(mode, parsed)) {
    errno = EINVAL;
    return nullptr;
  }
  HANDLE file =
      CreateFile(name, parsed.access, ShareFlags(sharing), nullptr, parsed.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    errno = ErrnoFromError(GetLastError());
    return nullptr;
  }
  auto* cookie = new StreamCookie{file, layer::HostDescriptor(file), parsed.append, parsed.text};
  cookie_io_functions_t functions{CookieRead, CookieWrite, CookieSeek, CookieClose};
  const char* hostMode = parsed.access == (GENERIC_READ | GENERIC_WRITE) ? "r+"
                         : parsed.access == GENERIC_READ                 ? "r"
                                                                         : "w";
  FILE* stream = fopencookie(cookie, hostMode, functions);
  if (!stream) {
    CloseHandle(file);
    delete cookie;
    errno = ENOMEM;
    return nullptr;
  }
  // Unbuffered text keeps the stream's position that of the file, as the
  // translation changes the count of bytes.
  if (parsed.text) setvbuf(stream, nullptr, _IONBF, 0);
  return stream;
}

int _stat(const char* path, struct _stat* status) {
  struct stat host;
  if (!path || !status || std::strpbrk(path, "*?") || ::stat(layer::HostPath(path).c_str(), &host) != 0) {
    errno = ENOENT;
    return -1;
  }
  std::memset(status, 0, sizeof *status);
  unsigned mode = S_ISDIR(host.st_mode) ? (_S_IFDIR | _S_IEXEC) : _S_IFREG;
  mode |= _S_IREAD;
  if (host.st_mode & S_IWUSR) mode |= _S_IWRITE;
  if (IsProgramName(path)) mode |= _S_IEXEC;
  mode |= (mode & 0700) >> 3 | (mode & 0700) >> 6;
  status->st_mode = static_cast<unsigned short>(mode);
  status->st_dev = status->st_rdev = DriveNumber(path);
  status->st_nlink = 1;
  status->st_size = S_ISDIR(host.st_mode) ? 0 : static_cast<long long>(host.st_size);
  status->st_atime = host.st_atim.tv_sec;
  status->st_mtime = host.st_mtim.tv_sec;
  status->st_ctime = host.st_ctim.tv_sec;
  return 0;
}

int _access(const char* path, int mode) {
  DWORD attributes = path ? GetFileAttributes(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    errno = ENOENT;
    return -1;
  }
  if ((mode & 2) && (attributes & FILE_ATTRIBUTE_READONLY)) {
    errno = EACCES;
    return -1;
  }
  return 0;
}

namespace layer {
namespace {

constexpr const char* kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

std::string Number(int value, int width, bool trim) {
  std::string digits = std::to_string(value);
  if (!trim && static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string Zone(const std::tm& time) {
  if (time.tm_zone) return time.tm_zone;
  return tzname[time.tm_isdst > 0 ? 1 : 0];
}

}  // namespace

std::string FormatTime(const char* format, const std::tm& time) {
  std::string out;
  if (!format) return out;
  int day = time.tm_wday >= 0 && time.tm_wday < 7 ? time.tm_wday : 0;
  int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    bool trim = p[1] == '#';
    if (trim) ++p;
    if (!p[1]) break;
    switch (*++p) {
      case 'a': out += std::string(kDays[day], 3); break;
      case 'A': out += kDays[day]; break;
      case 'b': out += std::string(kMonths[month], 3); break;
      case 'B': out += kMonths[month]; break;
      case 'c': out += FormatTime(trim ? "%A, %B %#d, %Y, %H:%M:%S" : "%m/%d/%y %H:%M:%S", time); break;
      case 'd': out += Number(time.tm_mday, 2, trim); break;
      case 'H': out += Number(time.tm_hour, 2, trim); break;
      case 'I': out += Number(time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12, 2, trim); break;
      case 'j': out += Number(time.tm_yday + 1, 3, trim); break;
      case 'm': out += Number(time.tm_mon + 1, 2, trim); break;
      case 'M': out += Number(time.tm_min, 2, trim); break;
      case 'p': out += time.tm_hour < 12 ? "AM" : "PM"; break;
      case 'S': out += Number(time.tm_sec, 2, trim); break;
      case 'U': out += Number((time.tm_yday + 7 - time.tm_wday) / 7, 2, trim); break;
      case 'w': out += Number(time.tm_wday, 1, trim); break;
      case 'W': out += Number((time.tm_yday + 7 - (time.tm_wday + 6) % 7) / 7, 2, trim); break;
      case 'x': out += FormatTime(trim ? "%A, %B %#d, %Y" : "%m/%d/%y", time); break;
      case 'X': out += FormatTime("%H:%M:%S", time); break;
      case 'y': out += Number((time.tm_year + 1900) % 100, 2, trim); break;
      case 'Y': out += Number(time.tm_year + 1900, 4, trim); break;
      case 'z':
      case 'Z': out += Zone(time); break;
      case '%': out += '%'; break;
      default: break;  // the runtime leaves unknown codes out
    }
  }
  return out;
}

}  // namespace layer
