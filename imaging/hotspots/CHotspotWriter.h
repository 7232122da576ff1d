// What the two picture-file writers share: the hotspots they collect, cut to
// what the picture formats keep, and the message box of a failed write.
#pragma once

#include <vector>

#include "HotspotRecord.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CHotspotWriter {
 public:
  static constexpr int maxHotspots = 300;
  static constexpr std::size_t maxName = 32;
  static constexpr std::size_t maxText2 = 25;

  // 1, or 0 when the writer already holds maxHotspots.
  int Add(const RECT& rect, const char* name, const char* text2, BYTE mode);
  int Count() const { return static_cast<int>(m_hotspots.size()); }

  // "file: " and the system's text for code, or for the last system error
  // when code is 0, in a box titled "Error".
  static void ReportError(const CString& file, DWORD code);
  // "file: " and a text of our own.
  static void ReportText(const CString& file, const char* text);

 protected:
  std::vector<HotspotRecord> m_hotspots;
};
