#include "win32/FileMapping.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "win32/Errors.h"

// A named block is a POSIX shared memory object. Every handle holds its own
// open of the object with a shared lock on it, so the last holder is the one
// that can take the lock exclusively; it removes the name. Creating, opening
// and closing are serialised among the user's programs by one lock file, so
// that no program opens a name in the moment its last holder removes it.

namespace {

constexpr size_t kLongestName = 200;

std::string ObjectName(const std::string& name) {
  // Object names may hold any byte but '/'; the name keeps its case.
  std::string out = "/varno4-" + std::to_string(getuid()) + "-";
  for (unsigned char c : name) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
      out += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      out += escaped;
    }
  }
  return out;
}

class NamesLock {
 public:
  NamesLock() {
    std::string path = "/dev/shm/varno4-" + std::to_string(getuid()) + ".lock";
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0) flock(m_fd, LOCK_EX);
  }
  ~NamesLock() {
    if (m_fd >= 0) close(m_fd);
  }
  NamesLock(const NamesLock&) = delete;
  NamesLock& operator=(const NamesLock&) = delete;

 private:
  int m_fd = -1;
};

class Mapping : public layer::KernelObject {
 public:
  Mapping(int fd, std::string objectName, size_t size) : m_fd(fd), m_objectName(std::move(objectName)), m_size(size) {}
  ~Mapping() override {
    NamesLock names;
    // Nobody else holds the block when the lock can be had exclusively.
    if (!m_objectName.empty() && flock(m_fd, LOCK_EX | LOCK_NB) == 0) shm_unlink(m_objectName.c_str());
    close(m_fd);
  }
  Mapping(const Mapping&) = delete;
  Mapping& operator=(const Mapping&) = delete;

  int Descriptor() const { return m_fd; }
  size_t Size() const { return m_size; }
  bool Writable() const { return m_writable; }
  void SetWritable(bool writable) { m_writable = writable; }

 private:
  int m_fd;
  std::string m_objectName;
  size_t m_size;
  bool m_writable = true;
};

// Mapped views keep their block alive after its handle is closed.
std::mutex viewsMutex;
std::map<const void*, std::pair<std::shared_ptr<Mapping>, size_t>>& Views() {
  static auto* views = new std::map<const void*, std::pair<std::shared_ptr<Mapping>, size_t>>;
  return *views;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

size_t SizeOf(int fd) {
  struct stat st;
  return fstat(fd, &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// Opens an existing block that somebody still holds; a left-over of a program
// that ended without closing counts as no block and is removed.
int OpenHeld(const std::string& objectName, int flags) {
  int fd = shm_open(objectName.c_str(), flags | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    shm_unlink(objectName.c_str());
    close(fd);
    errno = ENOENT;
    return -1;
  }
  flock(fd, LOCK_SH);
  return fd;
}

HANDLE Handle(int fd, const std::string& objectName, bool writable) {
  auto mapping = std::make_shared<Mapping>(fd, objectName, SizeOf(fd));
  mapping->SetWritable(writable);
  return layer::AddHandle(mapping);
}

}  // namespace

HANDLE CreateFileMapping(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD maximumSizeHigh,
                         DWORD maximumSizeLow, LPCSTR name) {
  size_t size = (static_cast<size_t>(maximumSizeHigh) << 32) | maximumSizeLow;
  if (file != INVALID_HANDLE_VALUE || size == 0 || (protect != PAGE_READWRITE && protect != PAGE_READONLY))
    return Fail(ERROR_INVALID_PARAMETER);
  if (!name || !*name) {
    int fd = memfd_create("varno4-mapping", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) {
      if (fd >= 0) close(fd);
      return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    SetLastError(ERROR_SUCCESS);
    return Handle(fd, "", true);
  }
  if (std::string(name).size() > kLongestName) return Fail(ERROR_FILENAME_EXCED_RANGE);
  std::string objectName = ObjectName(name);
  NamesLock names;
  if (int fd = OpenHeld(objectName, O_RDWR); fd >= 0) {
    HANDLE existing = Handle(fd, objectName, true);
    SetLastError(ERROR_ALREADY_EXISTS);
    return existing;
  }
  int fd = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return Fail(layer::ErrorFromErrno(errno));
  if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
    shm_unlink(objectName.c_str());
    close(fd);
    return Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  flock(fd, LOCK_SH);
  SetLastError(ERROR_SUCCESS);
  return Handle(fd, objectName, true);
}

HANDLE OpenFileMapping(DWORD access, BOOL, LPCSTR name) {
  if (!name || !*name) return Fail(ERROR_INVALID_PARAMETER);
  if (std::string(name).size() > kLongestName) return Fail(ERROR_FILE_NOT_FOUND);
  bool writable = access & FILE_MAP_WRITE;  // all access includes it
  std::string objectName = ObjectName(name);
  NamesLock names;
  int fd = OpenHeld(objectName, O_RDWR);
  if (fd < 0) return Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : layer::ErrorFromErrno(errno));
  SetLastError(ERROR_SUCCESS);
  return Handle(fd, objectName, writable);
}

LPVOID MapViewOfFile(HANDLE handle, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes) {
  auto mapping = layer::ObjectOf<Mapping>(handle);
  if (!mapping) return nullptr;
  size_t offset = (static_cast<size_t>(offsetHigh) << 32) | offsetLow;
  bool writes = access & FILE_MAP_WRITE;
  if (writes && !mapping->Writable()) return Fail(ERROR_ACCESS_DENIED);
  if (offset % static_cast<size_t>(sysconf(_SC_PAGESIZE)) != 0 || offset >= mapping->Size() ||
      bytes > mapping->Size() - offset)
    return Fail(ERROR_INVALID_PARAMETER);
  size_t length = bytes ? bytes : mapping->Size() - offset;
  void* view = mmap(nullptr, length, PROT_READ | (writes ? PROT_WRITE : 0), MAP_SHARED, mapping->Descriptor(),
                    static_cast<off_t>(offset));
  if (view == MAP_FAILED) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  std::lock_guard<std::mutex> lock(viewsMutex);
  Views()[view] = {mapping, length};
  return view;
}

BOOL UnmapViewOfFile(LPCVOID address) {
  std::shared_ptr<Mapping> keep;  // released after the views lock, as it may remove the name
  std::lock_guard<std::mutex> lock(viewsMutex);
  auto found = Views().find(address);
  if (found == Views().end()) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  munmap(const_cast<void*>(address), found->second.second);
  keep = std::move(found->second.first);
  Views().erase(found);
  return TRUE;
}
