// Builds byte strings of tag code from a readable mix of texts and bytes.
#pragma once

#include <initializer_list>
#include <string>
#include <variant>

#include "foundation/CDynBuf.h"

namespace varno::testing {

using Piece = std::variant<int, const char*>;

inline std::string Bytes(std::initializer_list<Piece> pieces) {
  std::string out;
  for (const Piece& piece : pieces) {
    if (std::holds_alternative<int>(piece)) out += static_cast<char>(std::get<int>(piece));
    else out += std::get<const char*>(piece);
  }
  return out;
}

inline CDynBuf Buf(const std::string& bytes) {
  CDynBuf buf;
  buf.Append(bytes.data(), static_cast<int>(bytes.size()));
  return buf;
}

// Bytes as a failing case shows them: printable characters as they are,
// every other byte (and the backslash) as \xHH.
inline std::string Readable(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

inline std::string Str(const CDynBuf& buf) {
  return std::string(reinterpret_cast<const char*>(buf.GetData()), static_cast<size_t>(buf.GetLength()));
}

}  // namespace varno::testing
