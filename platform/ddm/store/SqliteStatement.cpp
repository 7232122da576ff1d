#include "SqliteStatement.h"

#include <sqlite3.h>

#include "SqliteDb.h"

namespace ddm {

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

bool SqliteStatement::Prepare(const SqliteDb& db, const std::string& sql, std::string* why) {
  sqlite3_finalize(m_statement);
  m_statement = nullptr;
  if (sqlite3_prepare_v3(db.Handle(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr) == SQLITE_OK)
    return true;
  *why = db.LastError();
  return false;
}

void SqliteStatement::Restart() {
  sqlite3_reset(m_statement);
  sqlite3_clear_bindings(m_statement);
}

void SqliteStatement::Bind(int index, std::string_view bytes) {
  // A zero-length blob must still be a blob, not NULL, to compare equal to a stored empty key.
  static const char none = 0;
  sqlite3_bind_blob64(m_statement, index, bytes.empty() ? &none : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void SqliteStatement::Bind(int index, std::int64_t value) { sqlite3_bind_int64(m_statement, index, value); }

SqliteStatement::Step SqliteStatement::Next() {
  switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
      return Step::Row;
    case SQLITE_DONE:
      return Step::Done;
    default:
      return Step::Failed;
  }
}

std::string SqliteStatement::LastError() const { return sqlite3_errmsg(sqlite3_db_handle(m_statement)); }

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }

std::int64_t SqliteStatement::Integer(int column) const { return sqlite3_column_int64(m_statement, column); }

std::string SqliteStatement::Bytes(int column) const {
  const void* bytes = sqlite3_column_blob(m_statement, column);
  const int count = sqlite3_column_bytes(m_statement, column);
  return bytes && count > 0 ? std::string(static_cast<const char*>(bytes), count) : std::string();
}

}  // namespace ddm
