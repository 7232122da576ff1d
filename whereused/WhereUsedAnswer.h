// The answer that the where-used program leaves for the viewer in the
// exchange block: assignment code that sets the CHAR variable bl to the
// picked block text and then shows the picked key, after a 16-bit length.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CString.h"

class WhereUsedAnswer {
 public:
  enum class Result {
    written,
    tooLong,       // the code does not fit the block: nothing is written
    blockMissing,  // no block of that name could be opened and mapped
  };

  // The code for a pick. The block text is written as a text expression
  // that gives the text back byte for byte, so a double quote in it stays
  // text; an empty block text gives an empty text.
  static void Build(const CString& key, const CString& block, CDynBuf& code);
  // Leaves the code in the named block, whole or not at all.
  static Result Write(const char* blockName, const CDynBuf& code);
  // The box text for a failed write; null for a written answer.
  static CString Complaint(Result result, const char* blockName);

  static constexpr int kLongest = 4094;  // the block's 4096 bytes less the length
};
