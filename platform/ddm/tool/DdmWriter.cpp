#include "DdmWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "store/SqliteDb.h"
#include "store/SqliteStatement.h"

namespace ddm {
namespace {

// Runs a prepared insert with the values bound in order.
template <typename... Values>
bool Insert(SqliteStatement& insert, std::string* why, const Values&... values) {
  insert.Restart();
  int index = 0;
  (insert.Bind(++index, values), ...);
  if (insert.Next() == SqliteStatement::Step::Done) return true;
  *why = insert.LastError();
  return false;
}

bool WriteDatabase(const SqliteDb& db, const DatabaseContent& content, std::string* why) {
  SqliteStatement field, record, value;
  if (!field.Prepare(db, "INSERT INTO ddm_fields VALUES(?1, ?2)", why) ||
      !record.Prepare(db, "INSERT INTO ddm_records VALUES(?1, ?2, ?3)", why) ||
      !value.Prepare(db, "INSERT INTO ddm_values VALUES(?1, ?2, ?3, ?4)", why))
    return false;
  const auto fieldCount = static_cast<std::int64_t>(content.isList.size());
  for (std::int64_t number = 0; number < fieldCount; ++number)
    if (!Insert(field, why, number, std::int64_t{content.isList[number]})) return false;
  std::int64_t order = 0;
  for (const DdmRecord& each : content.records) {
    if (!Insert(record, why, ++order, std::string_view(each.key), std::string_view(Fold(each.key)))) return false;
    for (std::int64_t number = 0; number < fieldCount; ++number) {
      const DdmField& elements = each.fields[number];
      for (std::int64_t element = 0; element < static_cast<std::int64_t>(elements.size()); ++element) {
        const std::string_view bytes = elements[element];
        if (!content.isList[number] && bytes.empty()) continue;  // an absent plain value reads as empty
        if (!Insert(value, why, order, number, element, bytes)) return false;
      }
    }
  }
  return true;
}

bool WriteDictionary(const SqliteDb& db, const DictionaryContent& content, std::string* why) {
  SqliteStatement language, numbered, keyed;
  if (!language.Prepare(db, "INSERT INTO ddm_languages VALUES(?1, ?2, ?3)", why) ||
      !numbered.Prepare(db, "INSERT INTO ddm_numbered_texts VALUES(?1, ?2, ?3)", why) ||
      !keyed.Prepare(db, "INSERT INTO ddm_keyed_texts VALUES(?1, ?2, ?3)", why))
    return false;
  std::int64_t id = 0;
  for (const DdmLanguageTexts& texts : content.languages) {
    if (!Insert(language, why, ++id, std::string_view(texts.name), std::string_view(Fold(texts.name)))) return false;
    for (const auto& [number, text] : texts.byNumber)
      if (!Insert(numbered, why, id, std::int64_t{number}, std::string_view(text))) return false;
    for (const auto& [key, text] : texts.byKey)
      if (!Insert(keyed, why, id, std::string_view(key), std::string_view(text))) return false;
  }
  return true;
}

bool WriteInto(const std::string& hostPath, const DdmContent& content, std::string* why) {
  SqliteDb db;
  const bool isDatabase = std::holds_alternative<DatabaseContent>(content);
  if (!db.Open(hostPath, SqliteDb::Mode::Create, why) ||
      !db.Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", why) ||
      !db.Execute(CreateStatements(isDatabase ? FileKind::Database : FileKind::Dictionary), why))
    return false;
  const bool written = isDatabase ? WriteDatabase(db, std::get<DatabaseContent>(content), why)
                                  : WriteDictionary(db, std::get<DictionaryContent>(content), why);
  return written && db.Execute("COMMIT", why);
}

}  // namespace

bool WriteDdmFile(const DdmContent& content, const std::string& hostPath, std::string* why) {
  std::string temporary = hostPath + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) {
    *why = "cannot write beside " + hostPath;
    return false;
  }
  fchmod(descriptor, 0644);  // a catalogue file is read by every user of the machine
  close(descriptor);
  if (WriteInto(temporary, content, why) && std::rename(temporary.c_str(), hostPath.c_str()) == 0) return true;
  if (why->empty()) *why = "cannot replace " + hostPath;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace ddm
