#include "qt/FileSink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace layer {
namespace {
constexpr std::size_t kBufferBytes = 1 << 16;
}

FileSink::FileSink(const std::string& hostPath) {
  m_descriptor = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (m_descriptor < 0) m_error = errno;
  m_buffer.reserve(kBufferBytes);
  open(QIODevice::WriteOnly);
}

FileSink::~FileSink() {
  if (m_descriptor >= 0) ::close(m_descriptor);
}

bool FileSink::Flush() {
  std::size_t written = 0;
  while (written < m_buffer.size() && m_error == 0) {
    ssize_t done = ::write(m_descriptor, m_buffer.data() + written, m_buffer.size() - written);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) m_error = done < 0 ? errno : EIO;
    else written += static_cast<std::size_t>(done);
  }
  m_buffer.clear();
  return m_error == 0;
}

bool FileSink::Finish() {
  if (m_descriptor < 0) return false;
  Flush();
  if (::close(m_descriptor) != 0 && m_error == 0) m_error = errno;
  m_descriptor = -1;
  close();
  return m_error == 0;
}

qint64 FileSink::readData(char*, qint64) { return -1; }

qint64 FileSink::writeData(const char* data, qint64 size) {
  if (m_descriptor < 0 || m_error) return -1;
  m_buffer.insert(m_buffer.end(), data, data + size);
  if (m_buffer.size() >= kBufferBytes && !Flush()) return -1;
  return size;
}

}  // namespace layer
