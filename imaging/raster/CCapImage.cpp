#include "imaging/raster/CCapImage.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "imaging/ByteOrder.h"
#include "imaging/raster/PaletteObject.h"
#include "imaging/raster/SystemColours.h"
#include "mfc/CPalette.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CCapImage, CObject)

namespace {

int g_standardWidth = 640;
int g_standardHeight = 1024;

constexpr int kCapLabelSlots = 100;

int Int16At(const BYTE* at) { return static_cast<short>(imaging::GetU16(at, false)); }

// Nibbles of the packed drawing, high nibble first within each byte.
class NibbleReader {
 public:
  NibbleReader(const BYTE* at, const BYTE* end) : m_at(at), m_end(end) {}
  bool Has(size_t count) const { return static_cast<size_t>(m_end - m_at) * 2 - m_half >= count; }
  int Next() {
    const int nibble = m_half ? *m_at & 15 : *m_at >> 4;
    if (m_half) ++m_at;
    m_half ^= 1;
    return nibble;
  }
  int NextByte() {
    const int high = Next();
    return high << 4 | Next();
  }

 private:
  const BYTE* m_at;
  const BYTE* m_end;
  size_t m_half = 0;
};

}  // namespace

CCapImage::CCapImage()
    : m_standardWidth(g_standardWidth),
      m_standardHeight(g_standardHeight),
      m_zoomWidth(g_standardWidth),
      m_zoomHeight(g_standardHeight) {}

CCapImage::~CCapImage() {
  if (m_hotspots) HS_SetTextMode(m_hotspots, 0);
  delete m_pPalette;
}

int CCapImage::GetPalette(CPalette** palette) const {
  if (palette) *palette = m_pPalette;
  return m_pPalette ? 1 : 0;
}

void CCapImage::SetStandardSize(int width, int height) {
  g_standardWidth = width;
  g_standardHeight = height;
}

CString CCapImage::LabelText(WORD number) {
  std::string text = std::to_string(number % 1000);
  if (number / 1000 > 0) text += static_cast<char>(64 + number / 1000);
  return CString(text.c_str());
}

int CCapImage::Load(const char* path, HS_HANDLE hotspots, int* error) {
  std::string ending = path ? path : "";
  ending = ending.substr(ending.size() >= 3 ? ending.size() - 3 : 0);
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
  const bool hasCount = ending != "cap";
  const Form form = ending == "cap" || ending == "ca3" ? Form::Plain : Form::Nibbles;

  CFile file;
  CFileException exception;
  if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &exception)) {
    if (error) *error = exception.m_cause;
    return 0;
  }
  const DWORD length = file.GetLength();
  std::vector<BYTE> bytes(static_cast<size_t>(length) + 1, 0);
  if (file.Read(bytes.data(), length) != length) return 0;
  bytes.pop_back();

  size_t drawingStart = 0;
  ReadLabels(bytes, hasCount, drawingStart);
  const BYTE* end = bytes.data() + bytes.size();
  if (form == Form::Plain) {
    ReadPlainDrawing(bytes.data() + drawingStart, end);
  } else {
    ReadNibbleDrawing(bytes.data() + drawingStart, end);
  }
  ClosePolyline();
  ComputeExtent();
  Centre();
  m_hotspots = hotspots;
  MakeHotspots();
  Scale(m_standardWidth, m_standardHeight);
  return 1;
}

// Slots that the file is too short to hold are left out, as are empty ones.
void CCapImage::ReadLabels(const std::vector<BYTE>& bytes, bool hasCount, size_t& drawingStart) {
  size_t slots = kCapLabelSlots;
  size_t first = 0;
  if (hasCount) {
    slots = bytes.empty() ? 0 : bytes[0];
    first = 1;
  }
  drawingStart = std::min(first + 6 * slots, bytes.size());
  for (size_t i = 0; i < slots; ++i) {
    const size_t xAt = first + 2 * i, yAt = first + 2 * slots + 2 * i, numberAt = first + 4 * slots + 2 * i;
    if (numberAt + 2 > bytes.size()) break;
    const int x = Int16At(&bytes[xAt]);
    const int y = Int16At(&bytes[yAt]);
    const WORD number = imaging::GetU16(bytes.data() + numberAt, false);
    if (x == 0 && y == 0 && number == 0) continue;
    m_labels.push_back(Label{static_cast<short>(x), static_cast<short>(y), number});
  }
}

void CCapImage::ReadPlainDrawing(const BYTE* at, const BYTE* end) {
  while (at < end) {
    const BYTE command = *at++;
    const int count = command >> 5;
    const bool startsPolyline = !(command & 0x10);
    const int highX = (command >> 2) & 3, highY = command & 3;
    for (int i = 0; i < count; ++i) {
      if (end - at < 2) return;
      AddPoint(highX << 8 | at[0], highY << 8 | at[1], startsPolyline && i == 0);
      at += 2;
    }
  }
}

void CCapImage::ReadNibbleDrawing(const BYTE* at, const BYTE* end) {
  NibbleReader reader(at, end);
  while (reader.Has(2)) {
    const int commands = reader.Next();
    const int high = reader.Next();
    for (int c = 0; c < commands; ++c) {
      if (!reader.Has(1)) return;
      const int command = reader.Next();
      const int count = command >> 1;
      const bool startsPolyline = !(command & 1);
      for (int i = 0; i < count; ++i) {
        if (!reader.Has(4)) return;
        const int x = (high >> 2 & 3) << 8 | reader.NextByte();
        const int y = (high & 3) << 8 | reader.NextByte();
        AddPoint(x, y, startsPolyline && i == 0);
      }
    }
  }
}

void CCapImage::AddPoint(int x, int y, bool startsPolyline) {
  if (startsPolyline && static_cast<int>(m_points.size()) > m_committed) ClosePolyline();
  m_points.push_back(POINT{x, y});
}

// A polyline needs two points to be drawn; a single point is doubled.
void CCapImage::ClosePolyline() {
  const int pending = static_cast<int>(m_points.size()) - m_committed;
  if (pending <= 0) return;
  for (int n = pending; n < 2; ++n) m_points.push_back(m_points.back());
  m_lengths.push_back(std::max(pending, 2));
  m_committed = static_cast<int>(m_points.size());
}

void CCapImage::ComputeExtent() {
  for (const POINT& p : m_points) {
    m_minX = std::min<int>(m_minX, p.x), m_minY = std::min<int>(m_minY, p.y);
    m_maxX = std::max<int>(m_maxX, p.x), m_maxY = std::max<int>(m_maxY, p.y);
  }
  // A label's number takes room to the right and below its point.
  for (const Label& label : m_labels) {
    m_minX = std::min<int>(m_minX, label.x), m_minY = std::min<int>(m_minY, label.y);
    m_maxX = std::max(m_maxX, label.x + 25), m_maxY = std::max(m_maxY, label.y + 15);
  }
  if (m_maxX < m_minX) m_minX = m_maxX;
  if (m_maxY < m_minY) m_minY = m_maxY;
  if (m_standardWidth == -1 && m_standardHeight == -1) {
    m_originX = std::max(m_minX - 20, 0);
    m_originY = std::max(m_minY - 20, 0);
    m_zoomWidth = m_standardWidth = m_maxX - m_originX + 20;
    m_zoomHeight = m_standardHeight = m_maxY - m_originY + 20;
  }
}

void CCapImage::Centre() {
  const int dx = (m_minX + m_maxX - m_standardWidth) / 2;
  const int dy = (m_minY + m_maxY - m_standardHeight) / 2;
  for (POINT& p : m_points) p.x -= dx, p.y -= dy;
  for (Label& label : m_labels) {
    label.x = static_cast<short>(label.x - dx);
    label.y = static_cast<short>(label.y - dy);
  }
}

void CCapImage::MakeHotspots() {
  if (!m_hotspots || m_labels.empty()) return;
  HS_SetImageSize(m_hotspots, m_standardWidth, m_standardHeight);
  HS_SetTextMode(m_hotspots, 1);
  for (const Label& label : m_labels) {
    HS_AddHotspot(m_hotspots, label.x, label.y, label.x, label.y, LabelText(label.number), nullptr, 0);
  }
}

int CCapImage::GetStandardSize(int* width, int* height) const {
  *width = m_standardWidth;
  *height = m_standardHeight;
  return 1;
}

int CCapImage::GetZoomSize(int* width, int* height) const {
  *width = m_zoomWidth;
  *height = m_zoomHeight;
  return 1;
}

// An empty extent has nothing to scale by, and so nothing to show.
int CCapImage::Scale(int width, int height) {
  m_zoomWidth = width;
  m_zoomHeight = height;
  m_scaled.clear();
  if (m_lengths.empty() || m_standardWidth <= 0 || m_standardHeight <= 0) return 0;
  m_scaled.reserve(m_points.size());
  for (const POINT& p : m_points) {
    m_scaled.push_back(POINT{MulDiv(p.x, width, m_standardWidth), MulDiv(p.y, height, m_standardHeight)});
  }
  return 1;
}

COLORREF CCapImage::SetBkColor(COLORREF colour, int extra) {
  const COLORREF previous = m_bkColor;
  m_bkColor = colour;
  m_bkExtra = extra;
  if (m_palette.empty()) {
    m_palette.assign(256, PALETTEENTRY{});
    PutSystemColours(m_palette.data(), 0);
    for (int i = 10; i <= 245; ++i) {
      m_palette[i] = PALETTEENTRY{static_cast<BYTE>(32 * ((i / 8) % 8)), static_cast<BYTE>(64 * (i / 64)),
                                  static_cast<BYTE>(32 * (i % 8)), PC_NOCOLLAPSE};
    }
  }
  m_palette[10] = PALETTEENTRY{GetRValue(colour), GetGValue(colour), GetBValue(colour), PC_NOCOLLAPSE};
  m_palette[245] = PALETTEENTRY{static_cast<BYTE>(255 - GetRValue(colour)), static_cast<BYTE>(255 - GetGValue(colour)),
                                static_cast<BYTE>(255 - GetBValue(colour)), PC_NOCOLLAPSE};
  delete m_pPalette;
  m_pPalette = MakePaletteObject(m_palette);
  return previous;
}
