// The hotspots that a catalogue description gives a picture: entries of a
// colour-mode letter, the rectangle in picture coordinates, and the name,
// each entry closed by a NUL byte. The list comes from the catalogue, so
// every entry and field is read within its bounds; an entry that cannot be
// read is reported and the next one is read all the same.
#pragma once

#include <vector>

#include "foundation/CDynBuf.h"
#include "interfaces/QridHtSp.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

struct HotspotEntry {
  int mode = 0;  // 0 plain, 1 order-list text, 2 link, 3 order-list link
  CRect rect;
  CString name;  // at most kNameSlot bytes
  CString link;  // at most kLinkSlot bytes
};

constexpr int kHotspotNameSlot = 33;
constexpr int kHotspotLinkSlot = 26;

// Reads one entry of length bytes; FALSE when a comma is missing. A
// rectangle of four -1 stands for the whole picture of pictureSize.
BOOL ParseHotspotEntry(const char* entry, int length, CSize pictureSize, HotspotEntry& out);
// Adds the list's hotspots to hotspots (none: every entry fails to be
// added); returns how many were added. Unreadable entries are reported with
// code 514, entries that cannot be added with 515.
int ReadHotspotList(HS_HANDLE hotspots, const CDynBuf& list, CSize pictureSize);

// Keeps the hotspots whose names are among names (compared byte by byte),
// each in the colour mode of its name's flags; deletes the others.
void ApplyLinkNames(HS_HANDLE hotspots, const std::vector<CString>& names, const CDynBuf& flags);
