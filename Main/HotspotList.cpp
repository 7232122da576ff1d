#include "Main/HotspotList.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"

namespace {

constexpr int ERR_HOTSPOT_ENTRY = 514;
constexpr int ERR_HOTSPOT_ADD = 515;

int ModeOf(char letter) {
  switch (letter) {
    case 'P': return 1;
    case 'L': return 2;
    case '2': return 3;
    default: return 0;
  }
}

// The field from at up to the next comma within end; FALSE without a comma.
BOOL NextField(const char*& at, const char* end, std::string& field) {
  const char* comma = std::find(at, end, ',');
  if (comma == end) return FALSE;
  field.assign(at, comma);
  at = comma + 1;
  return TRUE;
}

void Report(int code, const std::string& entry, int number) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  node->Fail(__LINE__, SEVERITY_ERROR, code, entry.c_str(), number);
  CErrorDlg::ReportAndRemove(node);
}

}  // namespace

BOOL ParseHotspotEntry(const char* entry, int length, CSize pictureSize, HotspotEntry& out) {
  if (entry == nullptr || length <= 0) return FALSE;
  const char* end = entry + length;
  const char* at = entry;
  std::string field;
  if (!NextField(at, end, field)) return FALSE;
  out.mode = ModeOf(entry[0]);
  int sides[4] = {0, 0, 0, 0};
  for (int& side : sides) {
    if (!NextField(at, end, field)) return FALSE;
    side = std::atoi(field.c_str());
  }
  if (!NextField(at, end, field)) return FALSE;
  out.rect = std::all_of(std::begin(sides), std::end(sides), [](int s) { return s == -1; }) &&
                     pictureSize.cx > 0 && pictureSize.cy > 0
                 ? CRect(0, 0, pictureSize.cx, pictureSize.cy)
                 : CRect(sides[0], sides[1], sides[2], sides[3]);
  out.name = field.substr(0, kHotspotNameSlot).c_str();
  out.link = field.substr(0, kHotspotLinkSlot).c_str();
  return TRUE;
}

int ReadHotspotList(HS_HANDLE hotspots, const CDynBuf& list, CSize pictureSize) {
  const char* bytes = list;
  const char* end = bytes + list.GetLength();
  int added = 0;
  for (int number = 0; bytes < end; ++number) {
    const char* entryEnd = std::find(bytes, end, '\0');
    const std::string entry(bytes, entryEnd);
    bytes = entryEnd == end ? end : entryEnd + 1;
    HotspotEntry parsed;
    if (!ParseHotspotEntry(entry.data(), static_cast<int>(entry.size()), pictureSize, parsed)) {
      Report(ERR_HOTSPOT_ENTRY, entry, number);
      continue;
    }
    if (hotspots == nullptr) {
      Report(ERR_HOTSPOT_ADD, entry, number);
      continue;
    }
    HS_AddHotspot(hotspots, parsed.rect.left, parsed.rect.top, parsed.rect.right, parsed.rect.bottom, parsed.name,
                  parsed.link, parsed.mode);
    ++added;
  }
  return added;
}

void ApplyLinkNames(HS_HANDLE hotspots, const std::vector<CString>& names, const CDynBuf& flags) {
  if (hotspots == nullptr) return;
  int index = 0;
  while (index < HS_GetNumberOfHotspots(hotspots)) {
    RECT rect{};
    CString* name = nullptr;
    CString* link = nullptr;
    BYTE mode = 0;
    if (!HS_GetHotspot(hotspots, index, &rect, &name, &link, &mode)) break;
    const auto known = std::find_if(names.begin(), names.end(), [&](const CString& n) { return n.Compare(*name) == 0; });
    if (known == names.end()) {
      HS_DeleteHotspot(hotspots, index);
      continue;
    }
    const int at = static_cast<int>(known - names.begin());
    const int newMode = at < flags.GetLength() ? static_cast<unsigned char>(flags.GetAt(at)) : 0;
    const CString keptName = *name;
    const CString keptLink = *link;
    HS_SetHotspot(hotspots, index, rect.left, rect.top, rect.right, rect.bottom, keptName, keptLink, newMode);
    ++index;
  }
}
