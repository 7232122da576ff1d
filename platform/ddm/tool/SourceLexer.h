// Splits the tool's source text into tokens: words, whole numbers, strings,
// "=", "[", "]", "," and line ends; "#" starts a comment up to the line end.
// Strings are double-quoted; \\ \" \n \r \t \0 and \xHH (two hex digits)
// stand for bytes, other bytes are taken as UTF-8 and stored as
// Windows-1252. Every fault is a SourceError naming line and column.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace ddm {

struct SourceError : std::runtime_error {
  SourceError(int line, int column, const std::string& message)
      : std::runtime_error(message), line(line), column(column) {}
  int line;
  int column;
};

struct SourceToken {
  enum class Kind { Word, Number, String, Equals, Open, Close, Comma, LineEnd, End };
  Kind kind = Kind::End;
  std::string text;  // a word, the digits of a number, the bytes of a string
  int line = 0;
  int column = 0;
};

class SourceLexer {
 public:
  explicit SourceLexer(std::string_view source) : m_source(source) {}
  SourceToken Next();

 private:
  char Peek(std::size_t ahead = 0) const;
  char Take();
  void SkipBlanksAndComments();
  std::string ReadString();
  char ReadEscape();
  void AppendUtf8Character(std::string& bytes);
  [[noreturn]] void Fail(const std::string& message) const;

  std::string_view m_source;
  std::size_t m_at = 0;
  int m_line = 1;
  int m_column = 1;
};

}  // namespace ddm
