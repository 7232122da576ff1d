// A dictionary file: its languages and the texts of each, by number and by
// key. Each look-up runs under the file's lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DdmFile.h"
#include "SqliteStatement.h"

namespace ddm {

struct DdmLanguageTexts {
  std::string name;
  std::map<std::int32_t, std::string> byNumber;
  std::map<std::string, std::string> byKey;
};

class DdmDictionaryFile {
 public:
  // Null, with the reason in *why, when the host path names no sound dictionary.
  static std::shared_ptr<DdmDictionaryFile> Open(const std::string& hostPath, std::string* why);

  // The language's id: the first language for an empty name, else the one
  // whose name is equal without regard to case; nullopt when there is none.
  std::optional<std::int64_t> FindLanguage(std::string_view name) const;

  // The text, or nullopt when there is none or (with *why) on damage.
  std::optional<std::string> Text(std::int64_t language, std::int32_t number, std::string* why);
  std::optional<std::string> Text(std::int64_t language, std::string_view key, std::string* why);
  // Every text of a language.
  bool AllTexts(std::int64_t language, DdmLanguageTexts* texts, std::string* why);
  // Every language with its texts, in the dictionary's order.
  bool All(std::vector<DdmLanguageTexts>* languages, std::string* why);

  void CacheIndex();

 private:
  struct Language {
    std::int64_t id;
    std::string name;
    std::string folded;
  };
  bool ReadLanguages(std::string* why);
  std::optional<std::string> FirstText(SqliteStatement& query, std::string* why);

  std::unique_ptr<DdmFile> m_file;
  std::vector<Language> m_languages;
  SqliteStatement m_byNumber;
  SqliteStatement m_byKey;
};

}  // namespace ddm
