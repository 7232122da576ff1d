// The SQLite layout of the data manager's files, shared by the library that
// reads them and the tool that writes them (described in ../README.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ddm {

inline constexpr std::string_view kFormatName = "QorDdm";
inline constexpr int kLayoutVersion = 1;
// Field and element counts are 16-bit for the callers.
inline constexpr int kMaxFields = 0xFFFF;
inline constexpr int kMaxElements = 0xFFFF;

enum class FileKind { Database, Dictionary };
std::string_view KindName(FileKind kind);

// The statements that create an empty file of a kind.
std::string CreateStatements(FileKind kind);

// Keys and language names compared without regard to case are compared in
// this form: Windows-1252 letters in upper case.
std::string Fold(std::string_view bytes);

// One record: its key and, per field, its elements (a plain field has
// exactly one).
using DdmField = std::vector<std::string>;
struct DdmRecord {
  std::string key;
  std::vector<DdmField> fields;
};

}  // namespace ddm
