#include "VodFile.h"

#include <algorithm>

#include "VodPump.h"
#include "win32/Clock.h"
#include "win32/Files.h"

namespace vod {
namespace {

constexpr int kRetries = 5;
constexpr DWORD kAccessConflict = 32;

HANDLE Open(const std::string& name, char mode) {
  if (mode == 'w')
    return CreateFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                      nullptr);
  return CreateFile(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
}

void WaitForNextSecond() {
  DWORD second = GetTickCount() / 1000;
  while (GetTickCount() / 1000 == second) {
    PumpMessages();
    Sleep(10);
  }
}

}  // namespace

std::unique_ptr<VodFile> VodFile::OpenRetry(const std::string& name, char mode, DWORD* error) {
  if (error) *error = 0;
  for (int attempt = 0; attempt <= kRetries; ++attempt) {
    if (attempt > 0) WaitForNextSecond();
    HANDLE handle = Open(name, mode);
    if (handle != INVALID_HANDLE_VALUE) return std::unique_ptr<VodFile>(new VodFile(handle));
  }
  if (error) *error = kAccessConflict;
  return nullptr;
}

VodFile::~VodFile() { CloseHandle(m_handle); }

bool VodFile::Fill() {
  if (m_next < m_end) return true;
  DWORD read = 0;
  if (!ReadFile(m_handle, m_buffer.data(), static_cast<DWORD>(m_buffer.size()), &read, nullptr)) {
    m_readError = true;
    return false;
  }
  m_next = 0;
  m_end = read;
  return read > 0;
}

int VodFile::ReadByte() { return Fill() ? m_buffer[m_next++] : 26; }

long VodFile::ReadBlock(void* buffer, size_t size, size_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  size_t wanted = size * count, done = 0;
  while (done < wanted && Fill()) {
    size_t piece = std::min(wanted - done, m_end - m_next);
    std::copy_n(m_buffer.data() + m_next, piece, out + done);
    m_next += piece;
    done += piece;
  }
  return m_readError ? -1 : static_cast<long>(done);
}

bool VodFile::ReadScriptLine(std::string& line, size_t size) {
  line.clear();
  if (m_ended) return false;
  bool readAny = false;
  while (Fill()) {
    unsigned char byte = m_buffer[m_next++];
    readAny = true;
    if (byte == 26) {
      m_ended = true;
      break;
    }
    if (line.size() + 1 < size) line += static_cast<char>(byte);
    if (byte == '\n') break;
  }
  return readAny;
}

int VodFile::AtEnd() { return Position() >= GetFileSize(m_handle, nullptr) ? 2 : 0; }

int VodFile::SeekTo(long distance, DWORD origin) {
  if (origin == FILE_CURRENT) distance -= static_cast<long>(m_end - m_next);
  m_next = m_end = 0;
  return SetFilePointer(m_handle, distance, nullptr, origin) == INVALID_SET_FILE_POINTER ? 2 : 0;
}

DWORD VodFile::Position() {
  DWORD position = SetFilePointer(m_handle, 0, nullptr, FILE_CURRENT);
  return position - static_cast<DWORD>(m_end - m_next);
}

DWORD VodFile::Size() { return GetFileSize(m_handle, nullptr); }

bool VodFile::WriteText(std::string_view text) {
  DWORD written = 0;
  return WriteFile(m_handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace vod
