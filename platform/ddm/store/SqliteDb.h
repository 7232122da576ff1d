// One SQLite connection, closed with the object.
#pragma once

#include <string>

struct sqlite3;

namespace ddm {

class SqliteDb {
 public:
  enum class Mode { ReadOnly, Create };

  SqliteDb() = default;
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;
  ~SqliteDb();

  // False with the reason in *why when the file cannot be opened.
  bool Open(const std::string& hostPath, Mode mode, std::string* why);
  // Runs statements that return no rows; false with the reason in *why.
  bool Execute(const std::string& sql, std::string* why);
  std::string LastError() const;
  // True when the last failure came from a statement that does not fit the
  // file's tables, rather than from damage.
  bool LastFailureWasSchema() const;
  sqlite3* Handle() const { return m_db; }

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace ddm
