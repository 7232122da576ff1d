#include "DdmLayout.h"

#include "win32/Codepage.h"

namespace ddm {

std::string_view KindName(FileKind kind) { return kind == FileKind::Database ? "database" : "dictionary"; }

std::string CreateStatements(FileKind kind) {
  std::string sql =
      "CREATE TABLE ddm_file(name TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID;"
      "INSERT INTO ddm_file VALUES('format','" +
      std::string(kFormatName) + "'),('layout'," + std::to_string(kLayoutVersion) + "),('kind','" +
      std::string(KindName(kind)) + "');";
  if (kind == FileKind::Database)
    return sql +
           "CREATE TABLE ddm_fields(field INTEGER PRIMARY KEY, list INTEGER NOT NULL);"
           "CREATE TABLE ddm_records(record INTEGER PRIMARY KEY, key BLOB NOT NULL, folded BLOB NOT NULL);"
           "CREATE INDEX ddm_records_by_key ON ddm_records(key, record);"
           "CREATE INDEX ddm_records_by_folded ON ddm_records(folded, record);"
           "CREATE TABLE ddm_values(record INTEGER NOT NULL, field INTEGER NOT NULL, element INTEGER NOT NULL,"
           " bytes BLOB NOT NULL, PRIMARY KEY(record, field, element)) WITHOUT ROWID;";
  return sql +
         "CREATE TABLE ddm_languages(language INTEGER PRIMARY KEY, name BLOB NOT NULL UNIQUE, folded BLOB NOT NULL);"
         "CREATE TABLE ddm_numbered_texts(language INTEGER NOT NULL, number INTEGER NOT NULL, text BLOB NOT NULL,"
         " PRIMARY KEY(language, number)) WITHOUT ROWID;"
         "CREATE TABLE ddm_keyed_texts(language INTEGER NOT NULL, key BLOB NOT NULL, text BLOB NOT NULL,"
         " PRIMARY KEY(language, key)) WITHOUT ROWID;";
}

std::string Fold(std::string_view bytes) {
  std::string folded(bytes);
  for (char& c : folded) c = static_cast<char>(layer::Cp1252ToUpper(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace ddm
