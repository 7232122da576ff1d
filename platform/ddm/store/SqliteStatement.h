// One prepared SQLite statement: bind, step through the rows, read columns.
// Reset before each use, so a statement can be kept and run again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace ddm {

class SqliteDb;

class SqliteStatement {
 public:
  SqliteStatement() = default;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  ~SqliteStatement();

  // False with the reason in *why when the statement does not fit the file's
  // tables (a foreign or damaged file).
  bool Prepare(const SqliteDb& db, const std::string& sql, std::string* why);
  bool IsPrepared() const { return m_statement != nullptr; }

  // Starts a new run: the previous rows and bindings are dropped.
  void Restart();
  void Bind(int index, std::string_view bytes);
  void Bind(int index, std::int64_t value);

  enum class Step { Row, Done, Failed };
  Step Next();
  // Reason of the last Failed step.
  std::string LastError() const;

  bool IsNull(int column) const;
  std::int64_t Integer(int column) const;
  std::string Bytes(int column) const;

 private:
  sqlite3_stmt* m_statement = nullptr;
};

}  // namespace ddm
