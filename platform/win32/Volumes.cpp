// GetVolumeInformation: a root of the system's paths stands for a host
// folder (a drive's folder, or the folder a network share names); its
// figures are those of the host file system that holds that folder.
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Paths.h"

namespace {

enum class RootKind { kDrive, kShare, kInvalid, kNotRoot };

// "X:\" or "\\server\share\"; a deeper folder is no root, anything else no name.
RootKind KindOf(std::string_view root) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (root.size() >= 3 && std::isalpha(static_cast<unsigned char>(root[0])) && root[1] == ':' && separator(root[2]))
    return root.size() == 3 ? RootKind::kDrive : RootKind::kNotRoot;
  if (root.size() >= 2 && separator(root[0]) && separator(root[1])) {
    std::string_view rest = root.substr(2);
    size_t server = rest.find_first_of("\\/");
    if (server == 0 || server == std::string_view::npos) return RootKind::kInvalid;
    size_t share = rest.find_first_of("\\/", server + 1);
    if (share == server + 1 || share == std::string_view::npos) return RootKind::kInvalid;
    return share + 1 == rest.size() ? RootKind::kShare : RootKind::kNotRoot;
  }
  return RootKind::kInvalid;
}

// The host's name of the file system type of the mount that holds the folder.
std::string MountType(const std::string& hostFolder) {
  char resolved[PATH_MAX];
  if (!realpath(hostFolder.c_str(), resolved)) return "";
  std::string folder = resolved;
  std::ifstream mounts("/proc/self/mountinfo");
  std::string line, best, type;
  while (std::getline(mounts, line)) {
    // Field 5 is the mount point; the type follows the " - " separator.
    std::istringstream fields(line);
    std::string id, parent, device, root, point;
    fields >> id >> parent >> device >> root >> point;
    size_t dash = line.find(" - ");
    if (dash == std::string::npos) continue;
    bool holds = folder == point || point == "/" || folder.starts_with(point + "/");
    if (holds && point.size() >= best.size()) {
      best = point;
      std::istringstream tail(line.substr(dash + 3));
      tail >> type;
    }
  }
  return type;
}

// The platform's names for the file systems it has; others by their host name.
std::string FileSystemName(const std::string& hostType) {
  if (hostType == "vfat" || hostType == "exfat") return "FAT32";
  if (hostType == "msdos") return "FAT";
  if (hostType == "iso9660") return "CDFS";
  if (hostType == "ntfs" || hostType == "ntfs3") return "NTFS";
  std::string name = hostType;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

bool CopyText(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer) return true;
  if (size <= text.size()) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

BOOL Refuse(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL GetVolumeInformation(LPCSTR root, LPSTR volumeName, DWORD volumeNameSize, LPDWORD serialNumber,
                          LPDWORD maxComponentLength, LPDWORD fileSystemFlags, LPSTR fileSystemName,
                          DWORD fileSystemNameSize) {
  std::string hostFolder = ".";
  RootKind kind = root ? KindOf(root) : RootKind::kDrive;
  if (kind == RootKind::kInvalid) return Refuse(ERROR_INVALID_NAME);
  if (kind == RootKind::kNotRoot) return Refuse(ERROR_DIR_NOT_ROOT);
  if (root) hostFolder = layer::HostPath(std::string(root) + ".");
  struct stat st;
  struct statvfs volume;
  if (stat(hostFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || statvfs(hostFolder.c_str(), &volume) != 0)
    return Refuse(kind == RootKind::kShare ? ERROR_BAD_NETPATH : ERROR_PATH_NOT_FOUND);

  std::string fileSystem = FileSystemName(MountType(hostFolder));
  if (!CopyText("", volumeName, volumeNameSize) || !CopyText(fileSystem, fileSystemName, fileSystemNameSize))
    return Refuse(ERROR_BAD_LENGTH);
  if (serialNumber) {
    auto id = static_cast<unsigned long long>(volume.f_fsid);
    *serialNumber = static_cast<DWORD>(id ^ (id >> 32));
  }
  if (maxComponentLength) *maxComponentLength = static_cast<DWORD>(volume.f_namemax);
  if (fileSystemFlags) {
    *fileSystemFlags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK;
    if (volume.f_flag & ST_RDONLY) *fileSystemFlags |= FILE_READ_ONLY_VOLUME;
  }
  return TRUE;
}
