// An open data manager file of one kind, checked before it is used: a file
// that is missing, foreign, truncated or of the other kind is refused with a
// reason. Holds the connection and the lock that its users share.
#pragma once

#include <sys/types.h>

#include <memory>
#include <mutex>
#include <string>

#include "DdmLayout.h"
#include "SqliteDb.h"

namespace ddm {

class DdmFile {
 public:
  // Null, with the reason in *why, when the file at the host path is not a
  // sound data manager file of the kind.
  static std::unique_ptr<DdmFile> Open(const std::string& hostPath, FileKind kind, std::string* why);

  // True when the path now names another file than the one opened (a rebuilt
  // catalogue moved into its place) or none.
  bool IsReplaced() const;
  // Lets the connection keep the whole file in memory and reads it through
  // the statement, so that later reads find it there.
  void Warm(const std::string& sql);

  const SqliteDb& Db() const { return m_db; }
  std::mutex& Lock() { return m_lock; }
  const std::string& HostPath() const { return m_hostPath; }

 private:
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const Identity&) const = default;
  };
  static bool IdentityOf(const std::string& hostPath, Identity* identity);
  bool CheckHeader(std::string* why) const;
  bool CheckFileRecord(FileKind kind, std::string* why) const;

  std::string m_hostPath;
  Identity m_identity;
  SqliteDb m_db;
  std::mutex m_lock;
};

}  // namespace ddm
