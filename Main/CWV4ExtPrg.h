// The external-program list: numbered outside programs that the catalogue
// starts, some of them with a named shared-memory block in which they leave
// assignment code as their answer.
#pragma once

#include <vector>

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

struct CErrorTrace;

// The exchange block: a 16-bit length, low byte first, then that many bytes
// of assignment code.
constexpr DWORD kExchangeBlockSize = 4096;
constexpr DWORD kExchangeAnswerMax = kExchangeBlockSize - 2;

class CExtPrg : public CObject {
  DECLARE_DYNAMIC(CExtPrg)

 public:
  struct Entry {
    int number = 0;
    int flag = 0;  // non-zero: started with an exchange block and waited for
    CString name;  // expression of the program's path
    CString command;  // expression of the command-line arguments
  };

  CExtPrg() = default;
  ~CExtPrg() override = default;

  void Load(const char* fileName);
  BOOL Find(int number, CString& program, int& flag, CString& command);
  BOOL Run(int number, BOOL wait, const char* extra, DWORD* processId);
  void Dump(CDynBuf& out) const;

  // Runs the answer that program number left in its exchange block; FALSE
  // with error 253 on node when the answer is refused or fails.
  static BOOL RunExchangeAnswer(const BYTE* block, int number, CErrorTrace* node);

  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  void Parse(const unsigned char* bytes, int length);
  const Entry* FindEntry(int number) const;

  std::vector<Entry> m_entries;
};
