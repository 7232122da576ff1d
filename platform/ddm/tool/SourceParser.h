// Reads the tool's source text (see ../README.md) into the content of a
// database or a dictionary. Every fault is a SourceError naming line and
// column; nothing is kept of a source with a fault.
#pragma once

#include <string_view>
#include <vector>

#include "DdmContent.h"
#include "SourceLexer.h"

namespace ddm {

class SourceParser {
 public:
  explicit SourceParser(std::string_view source) : m_lexer(source) { Advance(); }
  DdmContent Parse();

 private:
  DatabaseContent ParseDatabase();
  DictionaryContent ParseDictionary();
  void ParseFieldCount(DatabaseContent& content);
  void ParseListFields(DatabaseContent& content);
  void ParseFieldValue(DatabaseContent& content);
  void ParseLanguage(DictionaryContent& content);
  void ParseText(DictionaryContent& content);

  void Advance();
  bool At(SourceToken::Kind kind) const { return m_token.kind == kind; }
  bool AtWord(std::string_view word) const { return At(SourceToken::Kind::Word) && m_token.text == word; }
  void Expect(SourceToken::Kind kind, const char* what);
  void ExpectLineEnd();
  void SkipEmptyLines();
  long long ReadNumber(long long lowest, long long highest, const char* what);
  // One or more strings in a row, joined.
  std::string ReadText(const char* what);
  // A text that travels as a C string: no zero byte.
  std::string ReadCString(const char* what);
  [[noreturn]] void Fail(const std::string& message) const;

  SourceLexer m_lexer;
  SourceToken m_token;
  std::vector<bool> m_given;  // the fields of the current record given so far
};

}  // namespace ddm
