// The readers' steps over a rendered key: find a frame's definition, read a
// statement's head, its text, or a whole block statement. Every step is held
// to the buffer's length; a failing step leaves its error on the trace.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CFrameBuf {
 public:
  // Moves pos behind the name of the first frame definition ('H') whose
  // name equals name byte for byte. Leaves no error of its own.
  static BOOL FindFrame(const CDynBuf& buf, int& pos, const char* name);
  // Reads the 0 byte and the tag of the statement at pos; pos then stands on
  // the first operand byte.
  static BOOL ReadTag(const CDynBuf& buf, int& pos, unsigned char& tag);
  // The text from pos up to the next 0 byte, where pos then stands.
  static BOOL ReadString(const CDynBuf& buf, int& pos, CString& text);
  // Appends the bytes from pos through the statement 0 endTag to out; pos
  // then stands behind it. The end statement counts only directly after a 0
  // byte, and it must not be the buffer's last byte.
  static BOOL ReadBlock(const CDynBuf& buf, int& pos, unsigned char endTag, CDynBuf& out);
};
