// A database file: its field layout and the searches over its records.
// Shared by every cursor on the file; each search runs under the file's lock.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DdmFile.h"
#include "DdmLayout.h"
#include "SqliteStatement.h"

namespace ddm {

class DdmRecordFile {
 public:
  // Null, with the reason in *why, when the host path names no sound database.
  static std::shared_ptr<DdmRecordFile> Open(const std::string& hostPath, std::string* why);

  int FieldCount() const { return static_cast<int>(m_isList.size()); }
  bool IsList(int field) const { return field >= 0 && field < FieldCount() && m_isList[field]; }

  // The records stored under exactly this key, in the catalogue's order.
  // False, with the reason in *why, when the file turns out to be damaged.
  bool Find(std::string_view key, std::vector<DdmRecord>* hits, std::string* why);
  // The first key, in the catalogue's order, equal to this one without
  // regard to case; nullopt when there is none or (with *why) on damage.
  std::optional<std::string> FirstKeyLike(std::string_view key, std::string* why);
  // Every record in the catalogue's order.
  bool All(std::vector<DdmRecord>* records, std::string* why);

  void CacheIndex();
  void CacheData();
  bool IsReplaced() const { return m_file->IsReplaced(); }

 private:
  bool ReadLayout(std::string* why);
  bool ReadRecords(SqliteStatement& rows, std::vector<DdmRecord>* records, std::string* why) const;
  bool AddValue(DdmRecord& record, std::int64_t field, std::int64_t element, std::string bytes) const;

  std::unique_ptr<DdmFile> m_file;
  std::vector<bool> m_isList;
  SqliteStatement m_find;
  SqliteStatement m_firstLike;
};

}  // namespace ddm
