#include "SourceLexer.h"

#include <cctype>

#include "win32/Codepage.h"

namespace ddm {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The length of the UTF-8 sequence that starts with this byte, 0 when it
// cannot start one.
int Utf8Length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

char SourceLexer::Peek(std::size_t ahead) const {
  return m_at + ahead < m_source.size() ? m_source[m_at + ahead] : '\0';
}

char SourceLexer::Take() {
  const char c = m_source[m_at++];
  if (c == '\n') {
    ++m_line;
    m_column = 1;
  } else {
    ++m_column;
  }
  return c;
}

void SourceLexer::Fail(const std::string& message) const { throw SourceError(m_line, m_column, message); }

void SourceLexer::SkipBlanksAndComments() {
  while (m_at < m_source.size()) {
    const char c = Peek();
    if (c == ' ' || c == '\t' || c == '\r') {
      Take();
    } else if (c == '#') {
      while (m_at < m_source.size() && Peek() != '\n') Take();
    } else {
      return;
    }
  }
}

SourceToken SourceLexer::Next() {
  SkipBlanksAndComments();
  SourceToken token;
  token.line = m_line;
  token.column = m_column;
  if (m_at >= m_source.size()) return token;
  const char c = Peek();
  using Kind = SourceToken::Kind;
  if (c == '\n') {
    Take();
    token.kind = Kind::LineEnd;
  } else if (c == '"') {
    token.kind = Kind::String;
    token.text = ReadString();
  } else if (std::isdigit(static_cast<unsigned char>(c)) ||
             (c == '-' && std::isdigit(static_cast<unsigned char>(Peek(1))))) {
    token.kind = Kind::Number;
    token.text += Take();
    while (std::isdigit(static_cast<unsigned char>(Peek()))) token.text += Take();
    if (IsWordCharacter(Peek())) Fail("a number must end before '" + std::string(1, Peek()) + "'");
  } else if (IsWordCharacter(c)) {
    token.kind = Kind::Word;
    while (IsWordCharacter(Peek())) token.text += Take();
  } else if (c == '=' || c == '[' || c == ']' || c == ',') {
    token.kind = c == '=' ? Kind::Equals : c == '[' ? Kind::Open : c == ']' ? Kind::Close : Kind::Comma;
    Take();
  } else {
    Fail("unexpected character '" + std::string(1, c) + "'");
  }
  return token;
}

std::string SourceLexer::ReadString() {
  Take();  // the opening quote
  std::string bytes;
  for (;;) {
    if (m_at >= m_source.size() || Peek() == '\n') Fail("the string is not closed on its line");
    const unsigned char c = static_cast<unsigned char>(Peek());
    if (c == '"') {
      Take();
      return bytes;
    }
    if (c == '\\') {
      bytes += ReadEscape();
    } else if (c < 0x20 && c != '\t') {
      Fail("a control character in a string must be written as an escape");
    } else if (c >= 0x80) {
      AppendUtf8Character(bytes);
    } else {
      bytes += static_cast<char>(Take());
    }
  }
}

char SourceLexer::ReadEscape() {
  const int line = m_line;
  const int column = m_column;
  Take();  // the backslash
  if (m_at >= m_source.size()) throw SourceError(line, column, "the escape is cut off");
  switch (const char c = Take()) {
    case '\\':
    case '"':
      return c;
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case '0':
      return '\0';
    case 'x': {
      const int high = HexValue(Peek());
      const int low = HexValue(Peek(1));
      if (high < 0 || low < 0) throw SourceError(line, column, "\\x needs two hex digits");
      Take();
      Take();
      return static_cast<char>(high * 16 + low);
    }
    default:
      throw SourceError(line, column, "unknown escape \\" + std::string(1, c));
  }
}

// Raw non-ASCII characters are UTF-8, as text editors on this system write
// them; the catalogue holds them as Windows-1252.
void SourceLexer::AppendUtf8Character(std::string& bytes) {
  const int length = Utf8Length(static_cast<unsigned char>(Peek()));
  bool valid = length > 0 && m_at + length <= m_source.size();
  for (int i = 1; valid && i < length; ++i) valid = (static_cast<unsigned char>(Peek(i)) & 0xC0) == 0x80;
  if (!valid) Fail("a byte that is not UTF-8; write it as \\xHH");
  const std::string_view character = m_source.substr(m_at, length);
  const std::string converted = layer::Utf8ToCp1252(character);
  if (converted == "?") Fail("the character " + std::string(character) + " has no Windows-1252 code");
  bytes += converted;
  for (int i = 0; i < length; ++i) Take();
}

}  // namespace ddm
