// A file that Qt writes into, which keeps the reason a write failed (the
// disk full, the file too large) instead of losing it (not for the system's
// code).
#pragma once

#include <QIODevice>
#include <string>
#include <vector>

namespace layer {

class FileSink : public QIODevice {
 public:
  // Opens (and empties) the file; IsOpen() tells whether that worked.
  explicit FileSink(const std::string& hostPath);
  ~FileSink() override;

  bool IsOpen() const { return m_descriptor >= 0; }
  // Writes what is buffered and closes the file; false when any write failed.
  bool Finish();
  // The errno value of the first failed write, 0 while all went well.
  int Error() const { return m_error; }

 protected:
  qint64 readData(char* data, qint64 size) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  bool Flush();

  int m_descriptor = -1;
  int m_error = 0;
  std::vector<char> m_buffer;
};

}  // namespace layer
