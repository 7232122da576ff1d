#include "win32/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "win32/Errors.h"
#include "win32/KernelObjects.h"
#include "win32/Paths.h"

namespace {

// Sharing is kept in byte-range locks on open file descriptions far beyond
// any real file contents. Each open holds a shared lock on the bytes of the
// access it has and of the access it denies; an open is refused when another
// open holds the opposite byte. A whole-file flock() serialises the check and
// the take (flock and byte-range locks do not meet on Linux).
enum LockByte : off_t {
  kHasRead = 0x7FFFFFFF00000000LL,
  kHasWrite,
  kDeniesRead,
  kDeniesWrite,
};

bool LockRange(int fd, short type, off_t byte) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// True when another open file description holds the byte.
bool HeldElsewhere(int fd, off_t byte) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = byte;
  probe.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

struct Sharing {
  bool read, write, denyRead, denyWrite;
};

// fd must be open for reading: shared byte-range locks need it.
bool TakeSharing(int fd, const Sharing& want) {
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  bool refused = (want.read && HeldElsewhere(fd, kDeniesRead)) || (want.write && HeldElsewhere(fd, kDeniesWrite)) ||
                 (want.denyRead && HeldElsewhere(fd, kHasRead)) || (want.denyWrite && HeldElsewhere(fd, kHasWrite));
  if (!refused) {
    if (want.read) LockRange(fd, F_RDLCK, kHasRead);
    if (want.write) LockRange(fd, F_RDLCK, kHasWrite);
    if (want.denyRead) LockRange(fd, F_RDLCK, kDeniesRead);
    if (want.denyWrite) LockRange(fd, F_RDLCK, kDeniesWrite);
  }
  flock(fd, LOCK_UN);
  return !refused;
}

class FileObject : public layer::KernelObject {
 public:
  FileObject(int fd, int lockFd) : m_fd(fd), m_lockFd(lockFd) {}
  ~FileObject() override {
    if (m_lockFd != m_fd) close(m_lockFd);
    close(m_fd);
  }
  int Descriptor() const { return m_fd; }

 private:
  int m_fd;
  int m_lockFd;  // holds the sharing locks; a readable twin of a write-only fd
};

int DescriptorOf(HANDLE handle) {
  auto file = layer::ObjectOf<FileObject>(handle);
  return file ? file->Descriptor() : -1;
}

bool Fail(int err) {
  SetLastError(layer::ErrorFromErrno(err));
  return false;
}

int OpenFlags(DWORD access, DWORD disposition) {
  int flags = O_CLOEXEC;
  bool reads = access & (GENERIC_READ | GENERIC_ALL);
  bool writes = access & (GENERIC_WRITE | GENERIC_ALL);
  flags |= (reads && writes) ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    default: break;
  }
  return flags;
}

DWORD CopyOut(const std::string& text, DWORD size, LPSTR buffer) {
  if (!buffer || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace

HANDLE CreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                  HANDLE) {
  if (!name || !*name || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path = layer::HostPath(name);
  struct stat st;
  bool existed = stat(path.c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int fd = open(path.c_str(), OpenFlags(access, disposition), 0666);
  if (fd < 0) {
    int err = errno;
    SetLastError(err == EEXIST ? ERROR_FILE_EXISTS
                 : err == ENOENT && disposition != OPEN_EXISTING && disposition != TRUNCATE_EXISTING
                     ? ERROR_PATH_NOT_FOUND
                     : layer::ErrorFromErrno(err));
    return INVALID_HANDLE_VALUE;
  }
  Sharing want{(access & (GENERIC_READ | GENERIC_ALL)) != 0, (access & (GENERIC_WRITE | GENERIC_ALL)) != 0,
               !(share & FILE_SHARE_READ), !(share & FILE_SHARE_WRITE)};
  int lockFd = (fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY ? open(path.c_str(), O_RDONLY | O_CLOEXEC) : fd;
  if (lockFd < 0) lockFd = fd;  // unreadable file: its sharing cannot be kept
  if (!TakeSharing(lockFd, want)) {
    if (lockFd != fd) close(lockFd);
    close(fd);
    // A file this open created stays: the other open owns it now as well.
    SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  // Cutting happens only once sharing allows it, so a refused open harms nothing.
  if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) {
    if (ftruncate(fd, 0) != 0) {
      int err = errno;
      if (lockFd != fd) close(lockFd);
      close(fd);
      Fail(err);
      return INVALID_HANDLE_VALUE;
    }
  }
  SetLastError((existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS)) ? ERROR_ALREADY_EXISTS
                                                                                          : NO_ERROR);
  return layer::AddHandle(std::make_shared<FileObject>(fd, lockFd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID) {
  if (read) *read = 0;
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  DWORD total = 0;
  while (total < toRead) {
    ssize_t got = ::read(fd, static_cast<char*>(buffer) + total, toRead - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(errno);
    if (got == 0) break;
    total += static_cast<DWORD>(got);
  }
  if (read) *read = total;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID) {
  if (written) *written = 0;
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t put = ::write(fd, static_cast<const char*>(buffer) + total, toWrite - total);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      if (written) *written = total;
      return Fail(errno);
    }
    total += static_cast<DWORD>(put);
  }
  if (written) *written = total;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  int fd = DescriptorOf(file);
  if (fd < 0) return INVALID_SET_FILE_POINTER;
  off_t offset = distanceHigh ? ((static_cast<off_t>(*distanceHigh) << 32) | static_cast<DWORD>(distance)) : distance;
  int whence = method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : SEEK_SET;
  off_t base = whence == SEEK_SET ? 0 : lseek(fd, 0, whence);
  if (base + offset < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  off_t at = lseek(fd, offset, whence);
  if (at < 0) {
    Fail(errno);
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(at >> 32);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(at);
}

BOOL SetEndOfFile(HANDLE file) {
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  off_t at = lseek(fd, 0, SEEK_CUR);
  if (at < 0 || ftruncate(fd, at) != 0) return Fail(errno);
  return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  int fd = DescriptorOf(file);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) {
    if (fd >= 0) Fail(errno);
    return INVALID_FILE_SIZE;
  }
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<unsigned long long>(st.st_size) >> 32);
  return static_cast<DWORD>(st.st_size);
}

BOOL FlushFileBuffers(HANDLE file) {
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  if (fsync(fd) != 0) return Fail(errno);
  return TRUE;
}

BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write) {
  int fd = DescriptorOf(file);
  struct stat st;
  if (fd < 0) return FALSE;
  if (fstat(fd, &st) != 0) return Fail(errno);
  if (creation) *creation = layer::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  if (access) *access = layer::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  if (write) *write = layer::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return TRUE;
}

BOOL DeleteFile(LPCSTR name) {
  if (!name) return Fail(EINVAL);
  std::string path = layer::HostPath(name);
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Fail(EACCES);
  if (unlink(path.c_str()) != 0) return Fail(errno);
  return TRUE;
}

BOOL MoveFile(LPCSTR from, LPCSTR to) { return MoveFileEx(from, to, 0); }

BOOL MoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
  if (!from || !to) return Fail(EINVAL);
  std::string source = layer::HostPath(from);
  std::string target = layer::HostPath(to);
  struct stat st;
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && lstat(target.c_str(), &st) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (std::rename(source.c_str(), target.c_str()) != 0) {
    if (errno != EXDEV || !(flags & MOVEFILE_COPY_ALLOWED)) return Fail(errno);
    if (!CopyFile(from, to, !(flags & MOVEFILE_REPLACE_EXISTING))) return FALSE;
    unlink(source.c_str());
  }
  if (flags & MOVEFILE_WRITE_THROUGH) {
    std::string folder = target.substr(0, target.find_last_of('/') == std::string::npos ? 0 : target.find_last_of('/'));
    int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      fsync(dir);
      close(dir);
    }
  }
  return TRUE;
}

BOOL CopyFile(LPCSTR from, LPCSTR to, BOOL failIfExists) {
  if (!from || !to) return Fail(EINVAL);
  std::error_code error;
  auto options = failIfExists ? std::filesystem::copy_options::none : std::filesystem::copy_options::overwrite_existing;
  if (!std::filesystem::copy_file(layer::HostPath(from), layer::HostPath(to), options, error)) {
    SetLastError(error == std::errc::file_exists ? ERROR_FILE_EXISTS : layer::ErrorFromErrno(error.value()));
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileAttributes(LPCSTR name) {
  struct stat st;
  if (!name || stat(layer::HostPath(name).c_str(), &st) != 0) {
    Fail(name ? errno : EINVAL);
    return INVALID_FILE_ATTRIBUTES;
  }
  return layer::AttributesFromMode(st.st_mode);
}

BOOL CreateDirectory(LPCSTR name, LPSECURITY_ATTRIBUTES) {
  if (!name) return Fail(EINVAL);
  if (mkdir(layer::HostPath(name).c_str(), 0777) != 0) return Fail(errno);
  return TRUE;
}

BOOL RemoveDirectory(LPCSTR name) {
  if (!name) return Fail(EINVAL);
  if (rmdir(layer::HostPath(name).c_str()) != 0) return Fail(errno);
  return TRUE;
}

DWORD GetCurrentDirectory(DWORD size, LPSTR buffer) {
  std::error_code error;
  auto current = std::filesystem::current_path(error);
  if (error) {
    Fail(error.value());
    return 0;
  }
  return CopyOut(layer::SystemPath(current.string()), size, buffer);
}

BOOL SetCurrentDirectory(LPCSTR name) {
  if (!name) return Fail(EINVAL);
  if (chdir(layer::HostPath(name).c_str()) != 0) return Fail(errno);
  return TRUE;
}

DWORD GetTempPath(DWORD size, LPSTR buffer) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = layer::SystemPath(folder && *folder ? folder : "/tmp");
  if (path.back() != '/') path += '/';
  return CopyOut(path, size, buffer);
}

DWORD GetFullPathName(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) {
  if (!name) {
    Fail(EINVAL);
    return 0;
  }
  std::string host = layer::HostPath(name);
  std::error_code error;
  auto full = std::filesystem::absolute(host, error).lexically_normal();
  if (error) {
    Fail(error.value());
    return 0;
  }
  std::string text = layer::SystemPath(full.string());
  DWORD result = CopyOut(text, size, buffer);
  if (filePart && buffer && result < size) {
    size_t slash = text.find_last_of("/\\");
    *filePart = buffer + (slash == std::string::npos ? 0 : slash + 1);
  }
  return result;
}

namespace layer {

int HostDescriptor(HANDLE file) { return DescriptorOf(file); }

DWORD AttributesFromMode(unsigned mode) {
  if (S_ISDIR(mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

// The platform counts 100 ns steps from 1601; 1970 is 11644473600 s later.
constexpr long long kEpochDifference = 11644473600LL;

FILETIME FileTimeFromUnix(long long seconds, long nanoseconds) {
  unsigned long long ticks = static_cast<unsigned long long>(seconds + kEpochDifference) * 10000000ULL +
                             static_cast<unsigned long long>(nanoseconds / 100);
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

long long UnixFromFileTime(const FILETIME& time) {
  unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<long long>(ticks / 10000000ULL) - kEpochDifference;
}

}  // namespace layer
