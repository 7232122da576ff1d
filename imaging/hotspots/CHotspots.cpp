#include "CHotspots.h"

#include <algorithm>
#include <cstring>

#include "CHotspot.h"
#include "win32/Mbstring.h"

IMPLEMENT_DYNCREATE(CHotspots, CObject)

namespace {
// The point the list moves to when no hotspot may stay active.
constexpr int farAway = -10000;
}  // namespace

CHotspots::CHotspots() = default;

CHotspots::~CHotspots() {
  DeleteHotspots();
  DeleteFonts();
}

CHotspot* CHotspots::At(int index) const {
  return IsValidIndex(index) ? static_cast<CHotspot*>(m_arrHotspots.GetAt(index)) : nullptr;
}

BOOL CHotspots::NameMatches(const CHotspot& hotspot, const char* name) const {
  auto text = reinterpret_cast<const unsigned char*>(static_cast<const char*>(hotspot.Text()));
  auto wanted = reinterpret_cast<const unsigned char*>(name ? name : "");
  return (m_bCaseSensitive ? _mbscmp(text, wanted) : _mbsicmp(text, wanted)) == 0;
}

// Runs the action on the hotspot at index, or on every hotspot for -1;
// 0 for any other index outside the list.
template <class Action>
int CHotspots::ForIndexOrAll(int index, Action action) {
  if (index == -1) {
    for (int i = 0; i < m_nCount; ++i)
      if (CHotspot* hotspot = At(i)) action(*hotspot);
    return 1;
  }
  if (!IsValidIndex(index)) return 0;
  if (CHotspot* hotspot = At(index)) action(*hotspot);
  return 1;
}

void CHotspots::SetImageSize(int width, int height) {
  m_nImageWidth = width;
  m_nImageHeight = height;
}

int CHotspots::Zoom(int width, int height) {
  if (m_nTextMode == 1) ZoomLabelFont(height);
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i)) hotspot->Zoom(width, height, m_nImageWidth, m_nImageHeight);
  return 1;
}

int CHotspots::Scale(int width, int height) {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i)) hotspot->Scale(m_nImageWidth, m_nImageHeight, width, height);
  return 1;
}

int CHotspots::OnDraw(CDC* dc, int dx, int dy) {
  // Active frames of styles 3 and 4 go last, so that they lie over their
  // neighbours' frames.
  for (BOOL onTop : {FALSE, TRUE})
    for (int i = 0; i < m_nCount; ++i)
      if (CHotspot* hotspot = At(i); hotspot && hotspot->IsActiveOnTop() == onTop) hotspot->Draw(dc, dx, dy);
  return m_nCount;
}

int CHotspots::OnMouseMove(CWnd* window, int scrollX, int scrollY, int, int x, int y, CPalette* palette) {
  int picked = -1;
  int nearest = 0;
  for (int i = 0; i < m_nCount; ++i) {
    CHotspot* hotspot = At(i);
    if (!hotspot || !hotspot->HitTest(x, y)) continue;
    int distance = hotspot->CentreDistance(x, y);
    if (picked < 0 || distance < nearest) {
      picked = i;
      nearest = distance;
    }
  }
  if (picked < 0) {
    for (int i = 0; i < m_nCount; ++i)
      if (CHotspot* hotspot = At(i)) hotspot->OnMouseMove(window, scrollX, scrollY, x, y, palette);
    return -1;
  }
  // The old highlight goes before the new one comes, so that inverted
  // highlights never overlap on screen.
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && i != picked)
      hotspot->OnMouseMove(window, scrollX, scrollY, farAway, farAway, palette);
  At(picked)->OnMouseMove(window, scrollX, scrollY, x, y, palette);
  return picked;
}

int CHotspots::ClearHotspots(CWnd* window, int scrollX, int scrollY, CPalette* palette) {
  OnMouseMove(window, scrollX, scrollY, 0, farAway, farAway, palette);
  SetNotVisible();
  return m_nCount;
}

int CHotspots::SetNotVisible() {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i)) hotspot->SetNotVisible();
  return m_nCount;
}

int CHotspots::GetActiveHotspot() const {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && hotspot->IsActive()) return i;
  return -1;
}

int CHotspots::ActivateHotspot(const char* name, BOOL on, CWnd* window, int scrollX, int scrollY,
                               CPalette* palette) {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && NameMatches(*hotspot, name))
      hotspot->SetActive(on, window, scrollX, scrollY, palette);
  return 1;
}

int CHotspots::ActivateHotspotNr(int index, BOOL on, CWnd* window, int scrollX, int scrollY, CPalette* palette) {
  return ForIndexOrAll(index, [&](CHotspot& hotspot) { hotspot.SetActive(on, window, scrollX, scrollY, palette); });
}

int CHotspots::SelectHotspot(const char* name, BOOL on, CWnd* window, int scrollX, int scrollY, int) {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && NameMatches(*hotspot, name))
      hotspot->SetSelected(on, window, scrollX, scrollY);
  return 1;
}

int CHotspots::SelectHotspotNr(int index, BOOL on, CWnd* window, int scrollX, int scrollY, int) {
  return ForIndexOrAll(index, [&](CHotspot& hotspot) { hotspot.SetSelected(on, window, scrollX, scrollY); });
}

int CHotspots::IsHotspotSelected(const char* name) const {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && NameMatches(*hotspot, name) && hotspot->IsSelected()) return 1;
  return 0;
}

int CHotspots::IsHotspotNrSelected(int index) const {
  CHotspot* hotspot = At(index);
  return hotspot && hotspot->IsSelected() ? 1 : 0;
}

void CHotspots::EnableHotspot(const char* name, BOOL on) {
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i); hotspot && NameMatches(*hotspot, name)) hotspot->SetEnabled(on);
}

void CHotspots::EnableHotspotNr(int index, BOOL on) {
  ForIndexOrAll(index, [&](CHotspot& hotspot) { hotspot.SetEnabled(on); });
}

int CHotspots::SetTotalNumber(int count) {
  if (count < 0) {
    m_nCount = 0;
    return 0;
  }
  for (int i = count; i < m_arrHotspots.GetSize(); ++i) delete static_cast<CHotspot*>(m_arrHotspots.GetAt(i));
  m_arrHotspots.SetSize(count);
  m_nCount = count;
  return 1;
}

int CHotspots::SetHotspot(int index, int left, int top, int right, int bottom, const char* text, const char* text2,
                          int flags) {
  if (!IsValidIndex(index)) return 0;
  if (m_nTextMode == 1) {
    RECT label = LabelRect(left, top, text);
    right = label.right;
    bottom = label.bottom;
  }
  delete At(index);
  m_arrHotspots.SetAt(index, new CHotspot(this, left, top, right, bottom, text, text2, flags));
  return 1;
}

int CHotspots::AddHotspot(int left, int top, int right, int bottom, const char* text, const char* text2, int flags) {
  // Slots past the count may still be held by the array after a negative
  // SetTotalNumber; they are dropped before the array grows over them.
  SetTotalNumber(m_nCount + 1);
  return SetHotspot(m_nCount - 1, left, top, right, bottom, text, text2, flags);
}

int CHotspots::DeleteHotspot(int index) {
  if (!IsValidIndex(index)) return 0;
  delete At(index);
  m_arrHotspots.RemoveAt(index);
  --m_nCount;
  m_arrHotspots.SetSize(m_nCount);
  return 1;
}

void CHotspots::DeleteHotspots() {
  for (int i = 0; i < m_arrHotspots.GetSize(); ++i) delete static_cast<CHotspot*>(m_arrHotspots.GetAt(i));
  m_arrHotspots.RemoveAll();
  m_nCount = 0;
}

int CHotspots::GetHotspot(int index, RECT& rect, CString*& text, CString*& text2, BYTE& mode) {
  CHotspot* hotspot = At(index);
  if (!hotspot) return 0;
  hotspot->GetHotspot(rect, text, text2, mode);
  return 1;
}

int CHotspots::SetColorMode(int index, int mode) {
  CHotspot* hotspot = At(index);
  if (!hotspot) return 0;
  hotspot->SetColorMode(static_cast<BYTE>(mode));
  return 1;
}

void CHotspots::DrawSettings(int style, int shape, int penWidth, int count, const COLORREF* colours,
                             const COLORREF* activeColours) {
  m_nDrawStyle = style;
  m_nShape = shape;
  m_nPenWidth = penWidth;
  int entries = count & 0xFF;
  if (colours) std::copy_n(colours, entries, m_clrNormal);
  if (activeColours) std::copy_n(activeColours, entries, m_clrActive);
}

void CHotspots::FrameSettings(int frameWidth, int invertWidth) {
  m_nFrameWidth = frameWidth;
  m_nInvertWidth = invertWidth;
}

int CHotspots::SetTextMode(int mode) {
  int previous = m_nTextMode;
  m_nTextMode = mode;
  if (mode == 1) CreateMissingFonts();
  return previous;
}

void CHotspots::SetTextSettings(const char* face, int size, COLORREF colour, COLORREF highColour, int bkMode) {
  m_strFontFace = face ? face : "";
  m_nFontSize = size;
  m_clrText = colour;
  m_clrTextHigh = highColour;
  m_nBkMode = bkMode;
}

int CHotspots::SetCaseSensitive(int on) {
  m_bCaseSensitive = on;
  return on;
}
