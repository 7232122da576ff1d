#include "imaging/picture/HotspotFrames.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/PictureLayout.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

bool Has(const QORIMG_HOTSPOT& slot, BYTE bits) { return (slot.bState & bits) == bits; }

// Inverts frames in a device context, clipped to the visible area and, when
// given, to an update rectangle. The frame colour does not show: inverting
// takes no colour.
class FrameInverter {
 public:
  FrameInverter(HDC dc, const QORIMG_PICTURE* picture, const RECT* update)
      : m_dc(dc),
        m_offset(FrameOffset(picture)),
        m_update(update),
        m_outline((picture->nHotspotMode & QORIMG_HSMODE_OUTLINE) != 0) {
    m_saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, picture->nVisibleWidth, picture->nVisibleHeight);
    if (update) IntersectClipRect(dc, update->left, update->top, update->right, update->bottom);
  }
  ~FrameInverter() { RestoreDC(m_dc, m_saved); }
  FrameInverter(const FrameInverter&) = delete;
  FrameInverter& operator=(const FrameInverter&) = delete;

  void Invert(const QORIMG_HOTSPOT& slot) {
    RECT frame = slot.rcWindow;
    OffsetRect(&frame, -m_offset.x, -m_offset.y);
    RECT shown;
    if (m_update && !IntersectRect(&shown, &frame, m_update)) return;
    InvertFrame(m_dc, frame, m_outline);
  }

 private:
  HDC m_dc;
  POINT m_offset;
  const RECT* m_update;
  bool m_outline;
  int m_saved = 0;
};

// The window's device context for frames drawn outside a paint, taken when
// the first frame needs it.
class WindowFrames {
 public:
  WindowFrames(HWND window, const QORIMG_PICTURE* picture) : m_window(window), m_picture(picture) {}
  ~WindowFrames() {
    m_inverter.reset();
    if (m_dc) ReleaseDC(m_window, m_dc);
  }
  WindowFrames(const WindowFrames&) = delete;
  WindowFrames& operator=(const WindowFrames&) = delete;

  bool Ready() {
    if (!m_dc && IsWindow(m_window)) m_dc = GetDC(m_window);
    if (m_dc && !m_inverter) m_inverter = std::make_unique<FrameInverter>(m_dc, m_picture, nullptr);
    return m_dc != nullptr;
  }
  bool Invert(const QORIMG_HOTSPOT& slot) {
    if (!Ready()) return false;
    m_inverter->Invert(slot);
    return true;
  }

 private:
  HWND m_window;
  const QORIMG_PICTURE* m_picture;
  HDC m_dc = nullptr;
  std::unique_ptr<FrameInverter> m_inverter;
};

bool Contains(const RECT& r, POINT p) { return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom; }

double SquaredDistanceToCentre(const RECT& r, POINT p) {
  const double dx = (r.left + r.right) / 2.0 - p.x, dy = (r.top + r.bottom) / 2.0 - p.y;
  return dx * dx + dy * dy;
}

// The nearest centre wins; of equal distances the first slot.
LONG SlotUnder(const QORIMG_PICTURE* picture, POINT at) {
  LONG found = QORIMG_NO_HOTSPOT;
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < UsedSlots(picture); ++i) {
    const RECT& r = picture->hotspots[i].rcWindow;
    if (!Contains(r, at)) continue;
    const double distance = SquaredDistanceToCentre(r, at);
    if (distance < best) {
      best = distance;
      found = i;
    }
  }
  return found;
}

void LeaveHover(WindowFrames& frames, QORIMG_PICTURE* picture, LONG index) {
  QORIMG_HOTSPOT& slot = picture->hotspots[index];
  if (Has(slot, QORIMG_HS_FRAMED) && !Has(slot, QORIMG_HS_SELECTED) && frames.Invert(slot))
    slot.bState &= static_cast<BYTE>(~(QORIMG_HS_FRAMED | QORIMG_HS_HOVER));
  picture->szCurrentName[0] = '\0';
  picture->nCurrentIndex = QORIMG_NO_HOTSPOT;
}

void EnterHover(WindowFrames& frames, QORIMG_PICTURE* picture, LONG index) {
  QORIMG_HOTSPOT& slot = picture->hotspots[index];
  if (!Has(slot, QORIMG_HS_ACTIVE)) return;
  if (!Has(slot, QORIMG_HS_SELECTED) && !Has(slot, QORIMG_HS_FRAMED) && frames.Invert(slot))
    slot.bState |= QORIMG_HS_HOVER | QORIMG_HS_FRAMED;
  CopySlotText(picture->szCurrentName, sizeof(picture->szCurrentName), slot.szName, sizeof(slot.szName));
  picture->nCurrentIndex = index;
}

bool IsSlot(LONG index) { return index >= 0 && index < QORIMG_MAX_HOTSPOTS; }

}  // namespace

void InvertFrame(HDC dc, RECT frame, bool outline) {
  if (frame.left > frame.right) std::swap(frame.left, frame.right);
  if (frame.top > frame.bottom) std::swap(frame.top, frame.bottom);
  if (frame.right - frame.left < 2 || frame.bottom - frame.top < 2) return;
  if (!outline) {
    InvertRect(dc, &frame);
    return;
  }
  const RECT edges[] = {{frame.left, frame.top, frame.right, frame.top + 1},
                        {frame.left, frame.bottom - 1, frame.right, frame.bottom},
                        {frame.left, frame.top + 1, frame.left + 1, frame.bottom - 1},
                        {frame.right - 1, frame.top + 1, frame.right, frame.bottom - 1}};
  for (const RECT& edge : edges) InvertRect(dc, &edge);
}

POINT FrameOffset(const QORIMG_PICTURE* picture) {
  if (picture->bZoomState == 1) return ZoomScrollOffset(picture);
  if (picture->nPictureMode == QORIMG_PICTURE_DRF) return {-1, -1};
  return {0, 0};
}

int DrawFramesPass(HWND window, QORIMG_PICTURE* picture) {
  WindowFrames frames(window, picture);
  if (!frames.Ready()) return 0;
  for (int i = 0; i < UsedSlots(picture); ++i) {
    QORIMG_HOTSPOT& slot = picture->hotspots[i];
    if (Has(slot, QORIMG_HS_ACTIVE | QORIMG_HS_SELECTED) && !Has(slot, QORIMG_HS_FRAMED)) {
      frames.Invert(slot);
      slot.bState |= QORIMG_HS_FRAMED;
    }
  }
  return 1;
}

int EraseFramesPass(HWND window, QORIMG_PICTURE* picture) {
  WindowFrames frames(window, picture);
  if (!frames.Ready()) return 0;
  for (int i = 0; i < UsedSlots(picture); ++i) {
    QORIMG_HOTSPOT& slot = picture->hotspots[i];
    if (Has(slot, QORIMG_HS_ACTIVE | QORIMG_HS_FRAMED)) {
      frames.Invert(slot);
      slot.bState &= static_cast<BYTE>(~QORIMG_HS_FRAMED);
    }
  }
  return 1;
}

void PaintFramesPass(HDC dc, const QORIMG_PICTURE* picture, const RECT& update) {
  FrameInverter inverter(dc, picture, &update);
  for (int i = 0; i < UsedSlots(picture); ++i)
    if (Has(picture->hotspots[i], QORIMG_HS_ACTIVE | QORIMG_HS_FRAMED)) inverter.Invert(picture->hotspots[i]);
}

LONG HoverTest(HWND window, QORIMG_PICTURE* picture, POINT mouse, POINT offset) {
  const LONG found = SlotUnder(picture, {mouse.x + offset.x, mouse.y + offset.y});
  if (found == picture->nHoverIndex) return found;
  WindowFrames frames(window, picture);
  if (IsSlot(picture->nHoverIndex)) LeaveHover(frames, picture, picture->nHoverIndex);
  picture->nHoverIndex = found;
  if (IsSlot(found)) EnterHover(frames, picture, found);
  return found;
}
