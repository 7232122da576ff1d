#include "SourceWriter.h"

#include <cstdio>

namespace ddm {
namespace {

std::string Quoted(const std::string& bytes) {
  std::string text = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\r') {
      text += "\\r";
    } else if (c == '\t') {
      text += "\\t";
    } else if (byte >= 0x20 && byte < 0x7F) {
      text += c;
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      text += escape;
    }
  }
  return text + "\"";
}

// Empty fields and empty lists are left out: they read back as empty.
std::string DatabaseText(const DatabaseContent& content) {
  std::string text = "database\nfields " + std::to_string(content.isList.size()) + "\n";
  std::string lists;
  for (std::size_t field = 0; field < content.isList.size(); ++field)
    if (content.isList[field]) lists += " " + std::to_string(field);
  if (!lists.empty()) text += "list" + lists + "\n";
  for (const DdmRecord& record : content.records) {
    text += "\nrecord " + Quoted(record.key) + "\n";
    for (std::size_t field = 0; field < record.fields.size(); ++field) {
      const DdmField& elements = record.fields[field];
      if (!content.isList[field]) {
        if (!elements.front().empty()) text += std::to_string(field) + " = " + Quoted(elements.front()) + "\n";
        continue;
      }
      if (elements.empty()) continue;
      text += std::to_string(field) + " = [";
      for (std::size_t element = 0; element < elements.size(); ++element)
        text += (element ? ",\n  " : "") + Quoted(elements[element]);
      text += "]\n";
    }
  }
  return text;
}

std::string DictionaryText(const DictionaryContent& content) {
  std::string text = "dictionary\n";
  for (const DdmLanguageTexts& language : content.languages) {
    text += "\nlanguage " + Quoted(language.name) + "\n";
    for (const auto& [number, value] : language.byNumber) text += std::to_string(number) + " = " + Quoted(value) + "\n";
    for (const auto& [key, value] : language.byKey) text += Quoted(key) + " = " + Quoted(value) + "\n";
  }
  return text;
}

}  // namespace

std::string SourceText(const DdmContent& content) {
  if (const auto* database = std::get_if<DatabaseContent>(&content)) return DatabaseText(*database);
  return DictionaryText(std::get<DictionaryContent>(content));
}

}  // namespace ddm
