#include "DdmRecordFile.h"

namespace ddm {
namespace {

constexpr const char* kRecordRows =
    "SELECT r.record, r.key, v.field, v.element, v.bytes FROM ddm_records r"
    " LEFT JOIN ddm_values v ON v.record = r.record";
constexpr const char* kRecordOrder = " ORDER BY r.record, v.field, v.element";

}  // namespace

std::shared_ptr<DdmRecordFile> DdmRecordFile::Open(const std::string& hostPath, std::string* why) {
  auto records = std::make_shared<DdmRecordFile>();
  records->m_file = DdmFile::Open(hostPath, FileKind::Database, why);
  if (!records->m_file || !records->ReadLayout(why)) return nullptr;
  const SqliteDb& db = records->m_file->Db();
  if (!records->m_find.Prepare(db, std::string(kRecordRows) + " WHERE r.key = ?1" + kRecordOrder, why) ||
      !records->m_firstLike.Prepare(db, "SELECT key FROM ddm_records WHERE folded = ?1 ORDER BY record LIMIT 1", why)) {
    *why = "damaged (" + *why + ")";
    return nullptr;
  }
  return records;
}

// The fields must be numbered 0 to n-1 without gaps; anything else means a
// file that no tool of ours wrote.
bool DdmRecordFile::ReadLayout(std::string* why) {
  SqliteStatement fields;
  if (!fields.Prepare(m_file->Db(), "SELECT field, list FROM ddm_fields ORDER BY field", why)) {
    *why = "damaged (" + *why + ")";
    return false;
  }
  SqliteStatement::Step step;
  while ((step = fields.Next()) == SqliteStatement::Step::Row) {
    if (fields.Integer(0) != FieldCount() || FieldCount() >= kMaxFields) {
      *why = "damaged (field numbers)";
      return false;
    }
    m_isList.push_back(fields.Integer(1) != 0);
  }
  if (step == SqliteStatement::Step::Failed) {
    *why = "damaged (" + fields.LastError() + ")";
    return false;
  }
  return true;
}

bool DdmRecordFile::Find(std::string_view key, std::vector<DdmRecord>* hits, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  m_find.Restart();
  m_find.Bind(1, key);
  return ReadRecords(m_find, hits, why);
}

std::optional<std::string> DdmRecordFile::FirstKeyLike(std::string_view key, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  m_firstLike.Restart();
  m_firstLike.Bind(1, Fold(key));
  switch (m_firstLike.Next()) {
    case SqliteStatement::Step::Row:
      return m_firstLike.Bytes(0);
    case SqliteStatement::Step::Done:
      return std::nullopt;
    case SqliteStatement::Step::Failed:
      break;
  }
  *why = "damaged (" + m_firstLike.LastError() + ")";
  return std::nullopt;
}

bool DdmRecordFile::All(std::vector<DdmRecord>* records, std::string* why) {
  std::lock_guard lock(m_file->Lock());
  SqliteStatement all;
  if (!all.Prepare(m_file->Db(), std::string(kRecordRows) + kRecordOrder, why)) return false;
  return ReadRecords(all, records, why);
}

bool DdmRecordFile::ReadRecords(SqliteStatement& rows, std::vector<DdmRecord>* records, std::string* why) const {
  records->clear();
  std::int64_t current = 0;
  SqliteStatement::Step step;
  while ((step = rows.Next()) == SqliteStatement::Step::Row) {
    if (records->empty() || rows.Integer(0) != current) {
      current = rows.Integer(0);
      DdmRecord& record = records->emplace_back();
      record.key = rows.Bytes(1);
      for (int field = 0; field < FieldCount(); ++field) record.fields.emplace_back(m_isList[field] ? 0 : 1);
    }
    if (!rows.IsNull(2) && !AddValue(records->back(), rows.Integer(2), rows.Integer(3), rows.Bytes(4))) {
      *why = "damaged (record " + std::to_string(current) + ")";
      records->clear();
      return false;
    }
  }
  if (step == SqliteStatement::Step::Failed) {
    *why = "damaged (" + rows.LastError() + ")";
    records->clear();
    return false;
  }
  return true;
}

// Values arrive ordered by field and element: a plain field takes element 0
// only, a list field its elements one after the other from 0.
bool DdmRecordFile::AddValue(DdmRecord& record, std::int64_t field, std::int64_t element, std::string bytes) const {
  if (field < 0 || field >= FieldCount()) return false;
  DdmField& values = record.fields[field];
  if (!m_isList[field]) {
    if (element != 0) return false;
    values[0] = std::move(bytes);
    return true;
  }
  if (element != static_cast<std::int64_t>(values.size()) || element >= kMaxElements) return false;
  values.push_back(std::move(bytes));
  return true;
}

void DdmRecordFile::CacheIndex() {
  std::lock_guard lock(m_file->Lock());
  m_file->Warm("SELECT key, folded FROM ddm_records ORDER BY key");
}

void DdmRecordFile::CacheData() {
  std::lock_guard lock(m_file->Lock());
  m_file->Warm("SELECT bytes FROM ddm_values");
}

}  // namespace ddm
