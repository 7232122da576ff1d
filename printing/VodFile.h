// A file of the library over the platform's file handles, read through a
// buffer of its own so that byte-wise script reading stays cheap.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/Types.h"

namespace vod {

class VodFile {
 public:
  // Opens with the mode letter 'r' (read, others may read, must exist) or 'w'
  // (read and write, exclusive, replaces). A failed try is repeated once the
  // clock's second has changed, pumping messages meanwhile, at most five
  // times. Null with error 32 (access conflict) on failure, whatever the cause.
  static std::unique_ptr<VodFile> OpenRetry(const std::string& name, char mode, DWORD* error);
  ~VodFile();
  VodFile(const VodFile&) = delete;
  VodFile& operator=(const VodFile&) = delete;

  // The next byte, or 26 (Ctrl-Z) when nothing could be read.
  int ReadByte();
  // Bytes read, or -1 on a read error.
  long ReadBlock(void* buffer, size_t size, size_t count);
  // One line up to and including its line feed; bytes beyond size - 1 are
  // read but dropped. A Ctrl-Z ends the line and the file. False at the end
  // of the file with nothing read.
  bool ReadScriptLine(std::string& line, size_t size);
  // 2 when the position is at or beyond the end of the file, else 0.
  int AtEnd();
  // 0, or 2 when the platform refuses.
  int SeekTo(long distance, DWORD origin);
  DWORD Position();
  DWORD Size();
  bool WriteText(std::string_view text);

 private:
  explicit VodFile(HANDLE handle) : m_handle(handle) {}
  bool Fill();

  HANDLE m_handle;
  std::vector<unsigned char> m_buffer = std::vector<unsigned char>(8192);
  size_t m_next = 0, m_end = 0;
  bool m_readError = false;
  bool m_ended = false;  // a Ctrl-Z ended the script
};

}  // namespace vod
