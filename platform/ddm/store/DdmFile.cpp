#include "DdmFile.h"

#include <sys/stat.h>

#include <array>
#include <fstream>
#include <map>

#include "SqliteStatement.h"

namespace ddm {
namespace {

constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};
constexpr std::size_t kHeaderSize = 100;

unsigned BigEndian(const unsigned char* bytes, int count) {
  unsigned value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

bool DdmFile::IdentityOf(const std::string& hostPath, Identity* identity) {
  struct stat status {};
  if (stat(hostPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  *identity = {status.st_dev, status.st_ino, status.st_size,
               static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec};
  return true;
}

std::unique_ptr<DdmFile> DdmFile::Open(const std::string& hostPath, FileKind kind, std::string* why) {
  auto file = std::unique_ptr<DdmFile>(new DdmFile);
  file->m_hostPath = hostPath;
  if (!IdentityOf(hostPath, &file->m_identity)) {
    *why = "no such file";
    return nullptr;
  }
  // The file never changes under an open connection (the tool moves a new file
  // into place), so the connection keeps its read lock and its page cache
  // instead of checking the file before every search.
  if (!file->CheckHeader(why) || !file->m_db.Open(hostPath, SqliteDb::Mode::ReadOnly, why) ||
      !file->m_db.Execute("PRAGMA locking_mode = EXCLUSIVE", why) || !file->CheckFileRecord(kind, why))
    return nullptr;
  return file;
}

// SQLite itself finds a damaged page only when a search reads it; a file cut
// short is found here at once by comparing its size with the page count that
// its header records.
bool DdmFile::CheckHeader(std::string* why) const {
  if (m_identity.size < static_cast<off_t>(kHeaderSize)) {
    *why = "not a data manager file (too short)";
    return false;
  }
  std::array<unsigned char, kHeaderSize> header{};
  std::ifstream in(m_hostPath, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
    *why = "cannot be read";
    return false;
  }
  if (std::string_view(reinterpret_cast<const char*>(header.data()), kSqliteMagic.size()) != kSqliteMagic) {
    *why = "not a data manager file";
    return false;
  }
  unsigned pageSize = BigEndian(&header[16], 2);
  if (pageSize == 1) pageSize = 65536;
  if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) {
    *why = "damaged (page size)";
    return false;
  }
  const bool pageCountValid = BigEndian(&header[24], 4) == BigEndian(&header[92], 4);
  const unsigned long long pages = BigEndian(&header[28], 4);
  if (m_identity.size % pageSize != 0 ||
      (pageCountValid && pages * pageSize > static_cast<unsigned long long>(m_identity.size))) {
    *why = "truncated";
    return false;
  }
  return true;
}

bool DdmFile::CheckFileRecord(FileKind kind, std::string* why) const {
  SqliteStatement read;
  if (!read.Prepare(m_db, "SELECT name, value FROM ddm_file", why)) {
    *why = (m_db.LastFailureWasSchema() ? "not a data manager file (" : "damaged (") + *why + ")";
    return false;
  }
  std::map<std::string, std::string> values;
  SqliteStatement::Step step;
  while ((step = read.Next()) == SqliteStatement::Step::Row) values[read.Bytes(0)] = read.Bytes(1);
  if (step == SqliteStatement::Step::Failed) {
    *why = "damaged (" + read.LastError() + ")";
    return false;
  }
  if (values["format"] != kFormatName) {
    *why = "not a data manager file";
    return false;
  }
  if (values["layout"] != std::to_string(kLayoutVersion)) {
    *why = "layout " + values["layout"] + " is not known (known: " + std::to_string(kLayoutVersion) + ")";
    return false;
  }
  if (values["kind"] != KindName(kind)) {
    *why = "a " + values["kind"] + ", not a " + std::string(KindName(kind));
    return false;
  }
  return true;
}

bool DdmFile::IsReplaced() const {
  Identity now;
  return !IdentityOf(m_hostPath, &now) || !(now == m_identity);
}

void DdmFile::Warm(const std::string& sql) {
  std::string ignored;
  const long long kib = m_identity.size / 1024 + 1;
  m_db.Execute("PRAGMA cache_size = -" + std::to_string(kib), &ignored);
  SqliteStatement scan;
  if (!scan.Prepare(m_db, sql, &ignored)) return;
  while (scan.Next() == SqliteStatement::Step::Row) {
  }
}

}  // namespace ddm
