#include "SqliteDb.h"

#include <sqlite3.h>

namespace ddm {

SqliteDb::~SqliteDb() { sqlite3_close_v2(m_db); }

bool SqliteDb::Open(const std::string& hostPath, Mode mode, std::string* why) {
  int flags = SQLITE_OPEN_FULLMUTEX;
  flags |= mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(hostPath.c_str(), &m_db, flags, nullptr) == SQLITE_OK) return true;
  *why = LastError();
  sqlite3_close_v2(m_db);
  m_db = nullptr;
  return false;
}

bool SqliteDb::Execute(const std::string& sql, std::string* why) {
  char* message = nullptr;
  if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
  *why = message ? message : LastError();
  sqlite3_free(message);
  return false;
}

bool SqliteDb::LastFailureWasSchema() const { return m_db && sqlite3_errcode(m_db) == SQLITE_ERROR; }

std::string SqliteDb::LastError() const { return m_db ? sqlite3_errmsg(m_db) : "out of memory"; }

}  // namespace ddm
