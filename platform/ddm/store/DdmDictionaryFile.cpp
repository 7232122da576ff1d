#include "DdmDictionaryFile.h"

#include "DdmLayout.h"

namespace ddm {

std::shared_ptr<DdmDictionaryFile> DdmDictionaryFile::Open(const std::string& hostPath, std::string* why) {
  auto dictionary = std::make_shared<DdmDictionaryFile>();
  dictionary->m_file = DdmFile::Open(hostPath, FileKind::Dictionary, why);
  if (!dictionary->m_file) return nullptr;
  const SqliteDb& db = dictionary->m_file->Db();
  if (!dictionary->ReadLanguages(why) ||
      !dictionary->m_byNumber.Prepare(db, "SELECT text FROM ddm_numbered_texts WHERE language = ?1 AND number = ?2",
                                      why) ||
      !dictionary->m_byKey.Prepare(db, "SELECT text FROM ddm_keyed_texts WHERE language = ?1 AND key = ?2", why)) {
    *why = "damaged (" + *why + ")";
    return nullptr;
  }
  return dictionary;
}

bool DdmDictionaryFile::ReadLanguages(std::string* why) {
  SqliteStatement languages;
  if (!languages.Prepare(m_file->Db(), "SELECT language, name, folded FROM ddm_languages ORDER BY language", why))
    return false;
  SqliteStatement::Step step;
  while ((step = languages.Next()) == SqliteStatement::Step::Row)
    m_languages.push_back({languages.Integer(0), languages.Bytes(1), languages.Bytes(2)});
  if (step == SqliteStatement::Step::Failed) *why = languages.LastError();
  return step == SqliteStatement::Step::Done;
}

std::optional<std::int64_t> DdmDictionaryFile::FindLanguage(std::string_view name) const {
  if (m_languages.empty()) return std::nullopt;
  if (name.empty()) return m_languages.front().id;
  const std::string folded = Fold(name);
  for (const Language& language : m_languages)
    if (language.folded == folded) return language.id;
  return std::nullopt;
}

std::optional<std::string> DdmDictionaryFile::Text(std::int64_t language, std::int32_t number, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  m_byNumber.Restart();
  m_byNumber.Bind(1, language);
  m_byNumber.Bind(2, std::int64_t{number});
  return FirstText(m_byNumber, why);
}

std::optional<std::string> DdmDictionaryFile::Text(std::int64_t language, std::string_view key, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  m_byKey.Restart();
  m_byKey.Bind(1, language);
  m_byKey.Bind(2, key);
  return FirstText(m_byKey, why);
}

std::optional<std::string> DdmDictionaryFile::FirstText(SqliteStatement& query, std::string* why) {
  switch (query.Next()) {
    case SqliteStatement::Step::Row:
      return query.Bytes(0);
    case SqliteStatement::Step::Done:
      return std::nullopt;
    case SqliteStatement::Step::Failed:
      break;
  }
  *why = "damaged (" + query.LastError() + ")";
  return std::nullopt;
}

bool DdmDictionaryFile::AllTexts(std::int64_t language, DdmLanguageTexts* texts, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  SqliteStatement numbered, keyed;
  if (!numbered.Prepare(m_file->Db(), "SELECT number, text FROM ddm_numbered_texts WHERE language = ?1", why) ||
      !keyed.Prepare(m_file->Db(), "SELECT key, text FROM ddm_keyed_texts WHERE language = ?1", why))
    return false;
  numbered.Bind(1, language);
  keyed.Bind(1, language);
  SqliteStatement::Step step;
  while ((step = numbered.Next()) == SqliteStatement::Step::Row)
    texts->byNumber[static_cast<std::int32_t>(numbered.Integer(0))] = numbered.Bytes(1);
  if (step == SqliteStatement::Step::Done)
    while ((step = keyed.Next()) == SqliteStatement::Step::Row) texts->byKey[keyed.Bytes(0)] = keyed.Bytes(1);
  if (step == SqliteStatement::Step::Failed) {
    *why = "damaged (" + m_file->Db().LastError() + ")";
    return false;
  }
  return true;
}

bool DdmDictionaryFile::All(std::vector<DdmLanguageTexts>* languages, std::string* why) {
  languages->clear();
  for (const Language& language : m_languages) {
    DdmLanguageTexts& texts = languages->emplace_back();
    texts.name = language.name;
    if (!AllTexts(language.id, &texts, why)) return false;
  }
  return true;
}

void DdmDictionaryFile::CacheIndex() {
  std::lock_guard lock(m_file->Lock());
  m_file->Warm("SELECT language, number FROM ddm_numbered_texts");
  m_file->Warm("SELECT language, key FROM ddm_keyed_texts");
}

}  // namespace ddm
