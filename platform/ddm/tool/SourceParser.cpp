#include "SourceParser.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace ddm {

using Kind = SourceToken::Kind;

void SourceParser::Advance() { m_token = m_lexer.Next(); }

void SourceParser::Fail(const std::string& message) const { throw SourceError(m_token.line, m_token.column, message); }

void SourceParser::Expect(Kind kind, const char* what) {
  if (!At(kind)) Fail(std::string("expected ") + what);
  Advance();
}

void SourceParser::ExpectLineEnd() {
  if (!At(Kind::LineEnd) && !At(Kind::End)) Fail("expected the end of the line");
  SkipEmptyLines();
}

void SourceParser::SkipEmptyLines() {
  while (At(Kind::LineEnd)) Advance();
}

long long SourceParser::ReadNumber(long long lowest, long long highest, const char* what) {
  if (!At(Kind::Number)) Fail(std::string("expected ") + what);
  // A number beyond 64 bits is out of every range as well.
  long long value = 0;
  const char* first = m_token.text.data();
  const char* last = first + m_token.text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value < lowest || value > highest)
    Fail(std::string(what) + " must lie between " + std::to_string(lowest) + " and " + std::to_string(highest));
  Advance();
  return value;
}

std::string SourceParser::ReadText(const char* what) {
  if (!At(Kind::String)) Fail(std::string("expected ") + what + " (a string)");
  std::string text;
  while (At(Kind::String)) {
    text += m_token.text;
    Advance();
  }
  return text;
}

// Keys and dictionary texts travel as C strings through the data manager's calls.
std::string SourceParser::ReadCString(const char* what) {
  const SourceToken start = m_token;
  std::string text = ReadText(what);
  if (text.find('\0') != std::string::npos)
    throw SourceError(start.line, start.column, std::string(what) + " cannot hold \\0");
  return text;
}

DdmContent SourceParser::Parse() {
  SkipEmptyLines();
  if (AtWord("database")) {
    Advance();
    ExpectLineEnd();
    return ParseDatabase();
  }
  if (AtWord("dictionary")) {
    Advance();
    ExpectLineEnd();
    return ParseDictionary();
  }
  Fail("the source must begin with \"database\" or \"dictionary\"");
}

DatabaseContent SourceParser::ParseDatabase() {
  DatabaseContent content;
  if (!AtWord("fields")) Fail("expected \"fields\" and the number of fields");
  ParseFieldCount(content);
  while (AtWord("list")) ParseListFields(content);
  while (!At(Kind::End)) {
    if (AtWord("record")) {
      Advance();
      DdmRecord& record = content.records.emplace_back();
      record.key = ReadCString("the record's key");
      for (bool isList : content.isList) record.fields.emplace_back(isList ? 0 : 1);
      m_given.assign(content.isList.size(), false);
      ExpectLineEnd();
    } else if (At(Kind::Number)) {
      if (content.records.empty()) Fail("a field needs a \"record\" line before it");
      ParseFieldValue(content);
    } else {
      Fail("expected \"record\" or a field number");
    }
  }
  return content;
}

void SourceParser::ParseFieldCount(DatabaseContent& content) {
  Advance();
  content.isList.assign(ReadNumber(0, kMaxFields - 1, "the number of fields"), false);
  ExpectLineEnd();
}

void SourceParser::ParseListFields(DatabaseContent& content) {
  Advance();
  do {
    const long long field = ReadNumber(0, static_cast<long long>(content.isList.size()) - 1, "a field number");
    content.isList[field] = true;
  } while (At(Kind::Number));
  ExpectLineEnd();
}

// "N = text" for a plain field, "N = [text, text, ...]" for a list field; a
// list may run over several lines.
void SourceParser::ParseFieldValue(DatabaseContent& content) {
  const SourceToken start = m_token;
  const long long field = ReadNumber(0, static_cast<long long>(content.isList.size()) - 1, "a field number");
  DdmRecord& record = content.records.back();
  if (m_given[field]) throw SourceError(start.line, start.column, "field " + std::to_string(field) + " is given twice");
  m_given[field] = true;
  Expect(Kind::Equals, "\"=\"");
  if (!content.isList[field]) {
    if (At(Kind::Open)) Fail("field " + std::to_string(field) + " is not a list field");
    record.fields[field][0] = ReadText("the field's text");
    ExpectLineEnd();
    return;
  }
  if (!At(Kind::Open)) Fail("field " + std::to_string(field) + " is a list field: expected \"[\"");
  Advance();
  SkipEmptyLines();
  DdmField& elements = record.fields[field];
  while (!At(Kind::Close)) {
    if (!elements.empty()) {
      Expect(Kind::Comma, "\",\" or \"]\"");
      SkipEmptyLines();
    }
    if (elements.size() >= static_cast<std::size_t>(kMaxElements)) Fail("a list holds at most 65535 elements");
    elements.push_back(ReadText("an element"));
    SkipEmptyLines();
  }
  Advance();
  ExpectLineEnd();
}

DictionaryContent SourceParser::ParseDictionary() {
  DictionaryContent content;
  while (!At(Kind::End)) {
    if (AtWord("language"))
      ParseLanguage(content);
    else if (At(Kind::Number) || At(Kind::String))
      ParseText(content);
    else
      Fail("expected \"language\", a text number or a text key");
  }
  return content;
}

void SourceParser::ParseLanguage(DictionaryContent& content) {
  Advance();
  const SourceToken start = m_token;
  std::string name = ReadCString("the language's name");
  if (name.empty()) throw SourceError(start.line, start.column, "a language needs a name");
  for (const DdmLanguageTexts& language : content.languages)
    if (Fold(language.name) == Fold(name))
      throw SourceError(start.line, start.column, "language \"" + name + "\" is declared twice");
  content.languages.push_back({std::move(name), {}, {}});
  ExpectLineEnd();
}

void SourceParser::ParseText(DictionaryContent& content) {
  if (content.languages.empty()) Fail("a text needs a \"language\" line before it");
  DdmLanguageTexts& language = content.languages.back();
  const SourceToken start = m_token;
  bool added;
  if (At(Kind::Number)) {
    const auto number = static_cast<std::int32_t>(ReadNumber(
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), "a text number"));
    Expect(Kind::Equals, "\"=\"");
    added = language.byNumber.emplace(number, ReadCString("the text")).second;
  } else {
    std::string key = ReadCString("a text key");
    Expect(Kind::Equals, "\"=\"");
    added = language.byKey.emplace(std::move(key), ReadCString("the text")).second;
  }
  if (!added) throw SourceError(start.line, start.column, "this text is given twice in its language");
  ExpectLineEnd();
}

}  // namespace ddm
