// The exported hotspot functions: the slots' data, activation, selection by
// name, number or all, and the frame mode.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/picture/HotspotFrames.h"
#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"

namespace {

bool InUse(const QORIMG_PICTURE* picture, LONG index) { return index >= 0 && index < UsedSlots(picture); }

void SetBit(QORIMG_HOTSPOT& slot, BYTE bit, bool on) {
  slot.bState = on ? static_cast<BYTE>(slot.bState | bit) : static_cast<BYTE>(slot.bState & ~bit);
}

// Picture with at least one hotspot, known to the library.
QORIMG_PICTURE* WithHotspots(QORIMG_PICTURE* picture) {
  picture = KnownPicture(picture);
  return picture && picture->nHotspotCount > 0 ? picture : nullptr;
}

void SelectByName(QORIMG_PICTURE* picture, const char* name, bool on) {
  for (int i = 0; i < UsedSlots(picture); ++i)
    if (std::strcmp(picture->hotspots[i].szName, name) == 0) SetBit(picture->hotspots[i], QORIMG_HS_SELECTED, on);
}

void SelectByIndex(QORIMG_PICTURE* picture, LONG index, bool on) {
  if (index >= 0 && index < QORIMG_MAX_HOTSPOTS && picture->hotspots[index].szName[0])
    SetBit(picture->hotspots[index], QORIMG_HS_SELECTED, on);
}

void SelectAll(QORIMG_PICTURE* picture, bool on) {
  for (int i = 0; i < UsedSlots(picture); ++i) SetBit(picture->hotspots[i], QORIMG_HS_SELECTED, on);
}

void ForgetSelection(QORIMG_PICTURE* picture) {
  picture->nSelectedIndex = picture->nCurrentIndex = QORIMG_NO_HOTSPOT;
  picture->szSelectedName[0] = picture->szCurrentName[0] = '\0';
}

void TakeName(QORIMG_PICTURE* picture, const char* name) {
  CopySlotText(picture->szSelectedName, sizeof(picture->szSelectedName), name, sizeof(picture->szSelectedName));
  CopySlotText(picture->szCurrentName, sizeof(picture->szCurrentName), name, sizeof(picture->szCurrentName));
}

// Copies the current slot's texts out; false when no slot is current.
bool CopyCurrent(const QORIMG_PICTURE* picture, char* name, char* text2) {
  const LONG index = picture->nCurrentIndex;
  if (index < 0 || index >= QORIMG_MAX_HOTSPOTS) return false;
  const QORIMG_HOTSPOT& slot = picture->hotspots[index];
  if (name) CopySlotText(name, sizeof(slot.szName), slot.szName, sizeof(slot.szName));
  if (text2) CopySlotText(text2, sizeof(slot.szText2), slot.szText2, sizeof(slot.szText2));
  return true;
}

}  // namespace

LONG QORIMG_GetHotspotCount(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  return picture ? picture->nHotspotCount : -1;
}

LONG QORIMG_SetHotspotCount(QORIMG_PICTURE* picture, WORD count) {
  picture = StartCall(picture);
  if (!picture || count >= QORIMG_MAX_HOTSPOTS) return 0;
  picture->nHotspotCount = count;
  picture->nHoverIndex = QORIMG_NO_HOTSPOT;
  return 1;
}

LONG QORIMG_GetHotspotData(QORIMG_PICTURE* picture, LONG index, QORIMG_HOTSPOTDATA* data) {
  picture = StartCall(picture);
  if (!picture || !data || !InUse(picture, index)) return 0;
  const QORIMG_HOTSPOT& slot = picture->hotspots[index];
  *data = QORIMG_HOTSPOTDATA{};
  data->nIndex = index;
  data->rcWindow = slot.rcWindow;
  data->rcPicture = slot.rcPicture;
  CopySlotText(data->szName, sizeof(data->szName), slot.szName, sizeof(slot.szName));
  CopySlotText(data->szText2, sizeof(data->szText2), slot.szText2, sizeof(slot.szText2));
  data->bState = slot.bState;
  data->bFlag = slot.bFlag;
  return 1;
}

LONG QORIMG_SetHotspotData(QORIMG_PICTURE* picture, LONG index, const QORIMG_HOTSPOTDATA* data) {
  picture = StartCall(picture);
  if (!picture || !data || index < 0 || index >= QORIMG_MAX_HOTSPOTS) return 0;
  QORIMG_HOTSPOT& slot = picture->hotspots[index];
  // The caller's texts need not end within their fields.
  CopySlotText(slot.szName, sizeof(slot.szName), data->szName, sizeof(data->szName));
  CopySlotText(slot.szText2, sizeof(slot.szText2), data->szText2, sizeof(data->szText2));
  slot.rcWindow = data->rcWindow;
  slot.rcPicture = data->rcPicture;
  slot.bFlag = data->bFlag;
  return 1;
}

LONG QORIMG_GetNewHotspotPositions(double fx, double fy, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  if (!picture) return 0;
  PlaceHotspots(picture, fx, fy);
  return 1;
}

LONG QORIMG_ActivateHotspotNr(LONG index, LONG on, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture || !InUse(picture, index)) return 0;
  SetBit(picture->hotspots[index], QORIMG_HS_ACTIVE, on == 1);
  return 1;
}

LONG QORIMG_ActivateHotspot(const char* name, LONG on, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  if (!picture || !name) return 0;
  for (int i = 0; i < UsedSlots(picture); ++i)
    if (std::strcmp(picture->hotspots[i].szName, name) == 0) SetBit(picture->hotspots[i], QORIMG_HS_ACTIVE, on == 1);
  return 1;
}

// Keeps a pending error: callers activate right after a load that may have
// reported one.
LONG QORIMG_ActivateAllHotspots(LONG on, QORIMG_PICTURE* picture) {
  picture = WithHotspots(picture);
  if (!picture) return 0;
  for (int i = 0; i < UsedSlots(picture); ++i) SetBit(picture->hotspots[i], QORIMG_HS_ACTIVE, on == 1);
  return 1;
}

LONG QORIMG_SetHotspotNr(HWND window, LONG index, LONG on, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture || !InUse(picture, index)) return 0;
  if (on == 1) {
    picture->nSelectedIndex = picture->nCurrentIndex = index;
    TakeName(picture, picture->hotspots[index].szName);
    SelectByIndex(picture, index, true);
    return DrawFramesPass(window, picture);
  }
  const int erased = EraseFramesPass(window, picture);
  if (erased) SelectByIndex(picture, picture->nSelectedIndex, false);
  ForgetSelection(picture);
  return erased;
}

LONG QORIMG_SetHotspot(HWND window, const char* name, LONG on, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  if (!picture || !name) return 0;
  int found = 0;
  while (found < UsedSlots(picture) && std::strcmp(picture->hotspots[found].szName, name) != 0) ++found;
  if (found == UsedSlots(picture)) return 0;
  QORIMG_HOTSPOT& slot = picture->hotspots[found];
  if (on == 1) {
    TakeName(picture, name);
    if (slot.bState & QORIMG_HS_HOVER) picture->nSelectedIndex = picture->nCurrentIndex = picture->nHoverIndex = found;
    SelectByName(picture, picture->szSelectedName, true);
    const int drawn = DrawFramesPass(window, picture);
    slot.bState |= QORIMG_HS_FRAMED;
    return drawn;
  }
  if (!EraseFramesPass(window, picture)) {
    ForgetSelection(picture);
    return 0;
  }
  SelectByName(picture, picture->szSelectedName, false);
  ForgetSelection(picture);
  return 1;
}

LONG QORIMG_SetAllHotspots(HWND window, LONG on, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  if (!picture) return 0;
  int result;
  if (on == 1) {
    SelectAll(picture, true);
    result = DrawFramesPass(window, picture);
  } else {
    result = EraseFramesPass(window, picture);
    if (result) SelectAll(picture, false);
  }
  picture->szCurrentName[0] = '\0';
  picture->nCurrentIndex = -1;
  return result;
}

LONG QORIMG_GetHotspotNr(QORIMG_PICTURE* picture, char* name, char* text2) {
  picture = StartCall(picture);
  if (!picture || !CopyCurrent(picture, name, text2)) return -1;
  return picture->nCurrentIndex;
}

char* QORIMG_GetHotspot(QORIMG_PICTURE* picture, char* name, char* text2) {
  picture = StartCall(picture);
  if (!picture) return nullptr;
  CopyCurrent(picture, name, text2);
  return picture->szCurrentName;
}

// Frames are taken away in the old mode and drawn again in the new one.
// The slots that were selected are selected again after all the others were
// unselected, so that the whole selection survives the change.
LONG QORIMG_SetHotspotMode(LONG mode, COLORREF frameColour, LONG, LONG, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  if (!picture) return 0;
  std::vector<bool> selected(UsedSlots(picture));
  for (int i = 0; i < UsedSlots(picture); ++i) selected[i] = picture->hotspots[i].bState & QORIMG_HS_SELECTED;
  const std::vector<HWND> windows = WindowsOfPicture(picture);
  for (HWND window : windows) QORIMG_SetAllHotspots(window, 0, picture);
  picture->nHotspotMode = mode;
  picture->crFrame = frameColour == 0 ? 2 : frameColour;
  for (HWND window : windows) {
    for (bool on : {false, true})
      for (int i = 0; i < static_cast<int>(selected.size()); ++i)
        if (selected[i] == on) QORIMG_SetHotspotNr(window, i, on ? 1 : 0, picture);
  }
  return 1;
}

LONG QORIMG_GetHotspotMode(LONG, LONG, LONG, QORIMG_PICTURE* picture) {
  picture = WithHotspots(StartCall(picture));
  return picture ? picture->nHotspotMode : -1;
}
