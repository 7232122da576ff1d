#include <string>
#include <vector>

#include "interfaces/QorDdm.h"
#include "store/DdmLog.h"
#include "store/DdmRecordFile.h"
#include "win32/Paths.h"

struct DdmDatabase::Impl {
  std::string systemPath;
  std::shared_ptr<ddm::DdmRecordFile> file;
  std::vector<ddm::DdmRecord> hits;

  const ddm::DdmField* Field(int hit, int field) const {
    if (hit < 0 || hit >= static_cast<int>(hits.size())) return nullptr;
    const std::vector<ddm::DdmField>& fields = hits[hit].fields;
    return field >= 0 && field < static_cast<int>(fields.size()) ? &fields[field] : nullptr;
  }

  int Search(const char* operation, std::string_view key) {
    std::string why;
    if (!file->Find(key, &hits, &why)) ddm::LogFailure(operation, systemPath, why);
    return static_cast<int>(hits.size());
  }
};

namespace {

const BYTE* BytesOf(const std::string* bytes, int* length) {
  if (length) *length = bytes ? static_cast<int>(bytes->size()) : 0;
  return bytes ? reinterpret_cast<const BYTE*>(bytes->data()) : nullptr;
}

}  // namespace

DdmDatabase::DdmDatabase(int, int, int, int) : m_impl(std::make_unique<Impl>()) {}

DdmDatabase::DdmDatabase(const DdmDatabase& open)
    : m_impl(std::make_unique<Impl>(Impl{open.m_impl->systemPath, open.m_impl->file, {}})) {}

DdmDatabase::~DdmDatabase() = default;

void DdmDatabase::DdmDbDelete(int flags) {
  if (flags & 1)
    delete this;
  else
    DdmDbClose();
}

BOOL DdmDatabase::DdmDbOpen(LPCSTR path, int, int, int) {
  DdmDbClose();
  m_impl->systemPath = path ? path : "";
  std::string why;
  m_impl->file = ddm::DdmRecordFile::Open(layer::HostPath(m_impl->systemPath), &why);
  if (m_impl->file) return TRUE;
  ddm::LogFailure("DdmDbOpen", m_impl->systemPath, why);
  return FALSE;
}

void DdmDatabase::DdmDbClose() {
  m_impl->hits.clear();
  m_impl->file.reset();
}

BOOL DdmDatabase::DdmDbPrepare(UINT) {
  m_impl->hits.clear();
  if (!m_impl->file) return FALSE;
  if (!m_impl->file->IsReplaced()) return TRUE;
  std::string why;
  std::shared_ptr<ddm::DdmRecordFile> replacement = ddm::DdmRecordFile::Open(layer::HostPath(m_impl->systemPath), &why);
  if (!replacement) {
    ddm::LogFailure("DdmDbPrepare", m_impl->systemPath, "the replaced file stays in use: " + why);
    return FALSE;
  }
  m_impl->file = std::move(replacement);
  return TRUE;
}

void DdmDatabase::DdmDbCacheData() {
  if (m_impl->file) m_impl->file->CacheData();
}

void DdmDatabase::DdmDbCachePointers(int) {
  if (m_impl->file) m_impl->file->CacheIndex();
}

int DdmDatabase::DdmDbFindKey(LPCSTR key, int) {
  m_impl->hits.clear();
  if (!m_impl->file || !key) return 0;
  return m_impl->Search("DdmDbFindKey", key);
}

int DdmDatabase::DdmDbLookup(LPCSTR key, int) {
  m_impl->hits.clear();
  if (!m_impl->file || !key) return 0;
  if (int count = m_impl->Search("DdmDbLookup", key)) return count;
  std::string why;
  std::optional<std::string> like = m_impl->file->FirstKeyLike(key, &why);
  if (!why.empty()) ddm::LogFailure("DdmDbLookup", m_impl->systemPath, why);
  return like ? m_impl->Search("DdmDbLookup", *like) : 0;
}

void DdmDatabase::DdmDbEndLookup() { m_impl->hits.clear(); }

WORD DdmDatabase::DdmDbGetFieldCount() const {
  return m_impl->file ? static_cast<WORD>(m_impl->file->FieldCount()) : 0;
}

BOOL DdmDatabase::DdmDbIsListField(int field) const { return m_impl->file && m_impl->file->IsList(field); }

const BYTE* DdmDatabase::DdmDbGetField(int hit, int field, int* length) const {
  return DdmDbGetElement(hit, field, 0, length);
}

BOOL DdmDatabase::DdmDbHasField(int hit, int field) const {
  const ddm::DdmField* values = m_impl->Field(hit, field);
  return values && !values->empty() && (DdmDbIsListField(field) || !values->front().empty());
}

WORD DdmDatabase::DdmDbGetElementCount(int hit, int field) const {
  const ddm::DdmField* values = m_impl->Field(hit, field);
  return values ? static_cast<WORD>(values->size()) : 0;
}

BOOL DdmDatabase::DdmDbHasElement(int hit, int field, int element) const {
  return element >= 0 && element < DdmDbGetElementCount(hit, field);
}

const BYTE* DdmDatabase::DdmDbGetElement(int hit, int field, int element, int* length) const {
  const ddm::DdmField* values = m_impl->Field(hit, field);
  const bool exists = values && element >= 0 && element < static_cast<int>(values->size());
  return BytesOf(exists ? &(*values)[element] : nullptr, length);
}
