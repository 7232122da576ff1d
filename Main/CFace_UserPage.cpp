// The user page file of a face: the pane sizes that the user dragged, kept
// per face name and used in place of the key's own size lists the next time
// a key of that face is shown.
//
// Format: 0x00 0x61, a 3-byte version (most significant byte first), then
// per frame set 0x00, its tag (27 rows, 26 columns) and its size list as
// text, and a closing 0x00 0x00.
#include <cstring>
#include <vector>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CWV4Globals.h"
#include "Main/FaceWindows.h"
#include "foundation/FileBytes.h"
#include "win32/Files.h"

namespace {

constexpr int WARN_FILE_CUT = 10;
constexpr int WARN_FIRST_BYTE = 12;
constexpr int WARN_SECOND_BYTE = 13;
constexpr int WARN_VERSION = 14;

constexpr unsigned char kFileMark = 0x61;
constexpr unsigned char kColumnsTag = 26;
constexpr unsigned char kRowsTag = 27;
constexpr int kHeaderLength = 5;
constexpr unsigned char kVersion[3] = {0x04, 0x00, 0x01};
constexpr char kExtension[] = ".wv4hpu";

void AppendToken(CDynBuf& out, const FrameSet& set, const FramePane& pane) {
  const int size = set.Along(pane.requested);
  if (size == -1) {
    out.Append('*');
    return;
  }
  CString token;
  token.Format(pane.percent ? "%d%%" : "%d", size);
  out.Append(token);
}

}  // namespace

CString CFace::UserFilePath() const { return theGlobals.m_user_page_def_path + "\\" + m_face_name + kExtension; }

void CFace::FreeUserFile() {
  m_user_file.Empty();
  m_user_file.FreeExtra();
  m_user_file_loaded = FALSE;
  m_user_file_pos = 0;
}

BOOL CFace::LoadUserFile() {
  m_user_file_path = UserFilePath();
  FreeUserFile();
  // Faces without a name would all share one file.
  if (!theGlobals.m_UserPageDef || m_face_name.IsEmpty()) return TRUE;
  if (ReadFileBytes(m_user_file_path, m_user_file) != FileRead::Done) {
    FreeUserFile();
    return TRUE;
  }
  m_user_file_loaded = TRUE;
  return TRUE;
}

void CFace::WarnUserFile(int line, int code, int value) {
  CErrorTrace* node = CErrorTrace::Push(__FILE__, __TIMESTAMP__, line);
  node->Fail(line, SEVERITY_LOG, code, m_user_file_path, value);
  CErrorDlg::ReportAndRemove(node);
}

// A file with a bad header is warned about once and not used any further.
BOOL CFace::CheckUserFileHeader() {
  const unsigned char* bytes = m_user_file.GetData();
  const int length = m_user_file.GetLength();
  auto reject = [&](int line, int code, int value) {
    WarnUserFile(line, code, value);
    FreeUserFile();
    return FALSE;
  };
  if (length < 1) return reject(__LINE__, WARN_FILE_CUT, 0);
  if (bytes[0] != 0) return reject(__LINE__, WARN_FIRST_BYTE, bytes[0]);
  if (length < 2) return reject(__LINE__, WARN_FILE_CUT, 1);
  if (bytes[1] != kFileMark) return reject(__LINE__, WARN_SECOND_BYTE, bytes[1]);
  if (length < kHeaderLength) return reject(__LINE__, WARN_FILE_CUT, length);
  const DWORD version = (DWORD{bytes[2]} << 16) | (DWORD{bytes[3]} << 8) | bytes[4];
  if (version > theGlobals.m_varno_ver) return reject(__LINE__, WARN_VERSION, static_cast<int>(version));
  m_user_file_pos = kHeaderLength;
  return TRUE;
}

BOOL CFace::ReadUserSizes(int tag, CString& list) {
  if (!m_user_file_loaded) return FALSE;
  if (m_user_file_pos == 0 && !CheckUserFileHeader()) return FALSE;
  const unsigned char* bytes = m_user_file.GetData();
  const int length = m_user_file.GetLength();
  int pos = m_user_file_pos;
  while (pos < length) {
    const bool frameSet =
        bytes[pos] == 0 && pos + 1 < length && (bytes[pos + 1] == kColumnsTag || bytes[pos + 1] == kRowsTag);
    if (!frameSet) {
      ++pos;
      continue;
    }
    const int start = pos + 2;
    const void* zero = std::memchr(bytes + start, 0, static_cast<size_t>(length - start));
    if (zero == nullptr) {
      WarnUserFile(__LINE__, WARN_FILE_CUT, pos);
      FreeUserFile();
      return FALSE;
    }
    const int end = static_cast<int>(static_cast<const unsigned char*>(zero) - bytes);
    if (bytes[pos + 1] == tag) {
      list = CString(reinterpret_cast<const char*>(bytes + start), end - start);
      m_user_file_pos = end;
      return TRUE;
    }
    pos = end;
  }
  m_user_file_pos = length;
  return FALSE;
}

BOOL CFace::TakePaneSizes() {
  if (m_windows == nullptr) return TRUE;
  for (int k = 0; k < GetFrameSetCount(); ++k) {
    FrameSet& set = m_framesets[static_cast<size_t>(k)];
    if (!set.m_created) continue;
    std::vector<int> current(set.m_panes.size());
    long long total = 0;
    for (int pane = 0; pane < set.PaneCount(); ++pane) {
      current[static_cast<size_t>(pane)] = m_windows->GetPaneSize(k, pane);
      total += current[static_cast<size_t>(pane)];
    }
    // Without any size on the screen a share cannot be worked out; the
    // sizes asked for stay as they were.
    if (total <= 0) continue;
    for (int pane = 0; pane < set.PaneCount(); ++pane) {
      FramePane& p = set.m_panes[static_cast<size_t>(pane)];
      if (set.Along(p.requested) == -1) continue;
      const int size = current[static_cast<size_t>(pane)];
      set.SetAlong(p.requested, p.percent ? static_cast<int>(size * 100.0 / static_cast<double>(total) + 0.5) : size);
    }
  }
  return TRUE;
}

BOOL CFace::WriteUserFile() {
  if (IsMaximized() || !theGlobals.m_UserPageDef || m_face_name.IsEmpty()) return TRUE;
  CDynBuf out;
  out.Append('\0');
  out.Append(static_cast<char>(kFileMark));
  out.Append(kVersion, sizeof kVersion);
  for (const FrameSet& set : m_framesets) {
    out.Append('\0');
    out.Append(static_cast<char>(set.IsRows() ? kRowsTag : kColumnsTag));
    for (size_t pane = 0; pane < set.m_panes.size(); ++pane) {
      if (pane > 0) out.Append(',');
      AppendToken(out, set, set.m_panes[pane]);
    }
  }
  out.Append('\0', 2);
  return WriteFileReplacing(UserFilePath(), out);
}

BOOL CFace::RemoveUserFile() {
  if (m_face_name.IsEmpty()) return FALSE;
  return DeleteFile(UserFilePath());
}

// Every face's dragged sizes are forgotten at once, and so are copies such
// as "seite.WV4HPU.bak": every file whose name holds the extension in any case.
void CFace::RemoveUserFiles() {
  CString folder = theGlobals.m_user_page_def_path;
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\') folder += "\\";
  WIN32_FIND_DATA found{};
  HANDLE search = FindFirstFile(folder + "*.*", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    CString name = found.cFileName;
    name.MakeLower();
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.Find(kExtension) >= 0) {
      DeleteFile(folder + found.cFileName);
    }
  } while (FindNextFile(search, &found));
  FindClose(search);
}
