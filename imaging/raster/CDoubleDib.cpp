#include "imaging/raster/CDoubleDib.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "interfaces/Decoder.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CDoubleDib, CObject)

namespace {

constexpr int kDecodeMode = 32;
constexpr int kSideDataGrowth = 20000;

int Round(double value) { return static_cast<int>(value + 0.5); }

// The text after the last ".", lower-cased; the whole name when there is none.
std::string Extension(const char* path) {
  std::string name = path ? path : "";
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(0, dot + 1);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  return name;
}

// The largest zoom a selection may ask for, by the kind of picture.
SIZE Ceiling(const CDib* picture, bool vector) {
  if (vector) return SIZE{5000, 5000};
  switch (picture->GetBitCount()) {
    case 1:
    case 4: return SIZE{2048, 1536};
    case 8: return SIZE{1600, 1200};
    case 24: return SIZE{1280, 1024};
    case 32: return SIZE{1024, 768};
    default: return SIZE{picture->GetWidth(), picture->GetHeight()};
  }
}

}  // namespace

CDoubleDib::CDoubleDib() = default;

CDoubleDib::~CDoubleDib() { Clear(); }

void CDoubleDib::Clear() {
  if (m_pZoomed != m_pPicture) delete m_pZoomed;
  delete m_pPicture;
  m_pZoomed = m_pPicture = nullptr;
  if (m_vector) delete m_pCap;
  m_pCap = nullptr;
  m_vector = 0;
}

void CDoubleDib::ReplaceZoomed(CDib* zoomed) {
  if (m_pZoomed != m_pPicture) delete m_pZoomed;
  m_pZoomed = zoomed;
}

int CDoubleDib::ImageLoad(DECODER_HANDLE decoder, const char* path, int* bitCount, int* error, HS_HANDLE hotspots) {
  int ignored = 0;
  if (!bitCount) bitCount = &ignored;
  if (!error) error = &ignored;
  *bitCount = 0;
  *error = 0;
  Clear();
  if (Extension(path).compare(0, 2, "ca") == 0) {
    m_vector = 1;
    m_pCap = new CCapImage;
    m_pCap->SetBkColor(m_bkColor, m_bkExtra);
    return m_pCap->Load(path, hotspots, error);
  }
  m_pPicture = new CDib;
  m_sideData.Empty();
  m_sideData.SetGrowBy(kSideDataGrowth);
  m_sideDataValid = 0;
  if (!DcodDecodeFile(decoder, path, m_pPicture, kDecodeMode, error, hotspots, &m_sideData, &m_sideDataValid)) {
    // Nothing was loaded, so nothing is there to show.
    delete m_pPicture;
    m_pPicture = nullptr;
    return 0;
  }
  return TakeLoadedPicture(bitCount);
}

int CDoubleDib::ImageLoadResource(UINT id, HINSTANCE module, int* bitCount, int* error) {
  int ignored = 0;
  if (!bitCount) bitCount = &ignored;
  if (!error) error = &ignored;
  *bitCount = 0;
  *error = 0;
  Clear();
  m_pPicture = new CDib;
  if (!m_pPicture->LoadFromResource(id, module)) {
    *error = DECODER_OPEN_RESOURCE;
    // As after a failed file load: nothing to show.
    delete m_pPicture;
    m_pPicture = nullptr;
    return 0;
  }
  return TakeLoadedPicture(bitCount);
}

int CDoubleDib::TakeLoadedPicture(int* bitCount) {
  *bitCount = m_pPicture->GetBitCount();
  m_pZoomed = m_pPicture;
  m_mixing = 0;
  m_pPartner = nullptr;
  m_pPicture->SetBkColor(m_bkColor, m_bkExtra);
  m_pZoomed->MakePalette();
  return 1;
}

int CDoubleDib::OnDraw(HDC dc, int x, int y) {
  if (m_vector) {
    m_pCap->Draw(dc, x, y);
    return 1;
  }
  if (!m_pZoomed) return 0;
  m_pZoomed->Draw(dc, x, y, SRCCOPY);
  return 1;
}

int CDoubleDib::ImageCopyToClipboard() const {
  if (m_vector) return m_pCap->CopyStandardToClipboard();
  return m_pPicture && m_pPicture->CopyToClipboard() ? 1 : 0;
}

int CDoubleDib::ImageZoomCopyToClipboard() const {
  if (m_vector) return m_pCap->CopyZoomedToClipboard();
  return m_pZoomed && m_pZoomed->CopyToClipboard() ? 1 : 0;
}

int CDoubleDib::ImagePartCopyToClipboard(RECT zoomed) const {
  if (!m_vector && (!m_pPicture || !m_pZoomed)) return 0;
  const RECT part = PartInPicture(zoomed);
  if (m_vector) return m_pCap->CopyPartToClipboard(part);
  m_pPicture->CopyPartToClipboard(part.left, part.top, part.right, part.bottom);
  return 1;
}

RECT CDoubleDib::PartInPicture(RECT zoomed) const {
  int picture[2] = {0, 0};
  int zoom[2] = {0, 0};
  GetSize(picture);
  GetZoomSize(zoom);
  if (zoom[0] <= 0 || zoom[1] <= 0) return RECT{0, 0, 0, 0};
  auto map = [](int value, int size, int zoomSize) { return std::clamp(MulDiv(value, size, zoomSize), 0, size - 1); };
  return RECT{map(zoomed.left, picture[0], zoom[0]), map(zoomed.top, picture[1], zoom[1]),
              map(zoomed.right, picture[0], zoom[0]), map(zoomed.bottom, picture[1], zoom[1])};
}

int CDoubleDib::GetPalette(CPalette** palette) const {
  if (m_vector) return m_pCap->GetPalette(palette);
  CPalette* found = m_pZoomed ? m_pZoomed->GetPalette() : nullptr;
  if (palette) *palette = found;
  return found ? 1 : 0;
}

SIZE CDoubleDib::ZoomSize(int mode, SIZE picture, int targetWidth, int targetHeight) {
  const double pW = picture.cx, pH = picture.cy;
  switch (mode) {
    case 1: return picture;
    case 0:
      if (targetWidth / pW < targetHeight / pH) return SIZE{targetWidth, Round(targetWidth * pH / pW)};
      return SIZE{Round(targetHeight * pW / pH), targetHeight};
    case -2: {
      int width = targetWidth;
      // A picture taller than the window leaves room for the vertical scroll bar.
      if (targetWidth / pW >= targetHeight / pH) width -= GetSystemMetrics(SM_CXVSCROLL) + 1;
      return SIZE{width, Round(width * pH / pW)};
    }
    default: return SIZE{picture.cx / mode, picture.cy / mode};
  }
}

int CDoubleDib::ZoomRaster(SIZE size) {
  CDib* zoomed = new CDib;
  zoomed->SetBkColor(m_bkColor, m_bkExtra);
  zoomed->ZoomCopy(m_pPicture, size.cx, size.cy, &m_sideData, m_sideDataValid);
  ReplaceZoomed(zoomed);
  m_pZoomed->MakePalette();
  MixAgain();
  return 1;
}

void CDoubleDib::MixAgain() {
  if (m_mixing && m_pPartner && m_pPartner->m_pZoomed && m_pZoomed) {
    m_pZoomed->MixPalette(m_pPicture->GetBitCount(), m_pPartner->m_pZoomed);
  }
}

// Modes below -2 and sizes that come out empty are refused; they would ask
// for pictures of no or negative size.
int CDoubleDib::ImageZoom(int mode, int left, int top, int right, int bottom) {
  if (mode < -2) return 0;
  if (m_vector) {
    int width = 0, height = 0;
    m_pCap->GetStandardSize(&width, &height);
    if (width <= 0 || height <= 0) return 0;
    const SIZE size = ZoomSize(mode, SIZE{width, height}, right - left, bottom - top);
    return m_pCap->Scale(size.cx, size.cy);
  }
  if (!m_pPicture) return 0;
  if (mode == 1) {
    ReplaceZoomed(m_pPicture);
    MixAgain();
    return 1;
  }
  const SIZE size = ZoomSize(mode, SIZE{m_pPicture->GetWidth(), m_pPicture->GetHeight()}, right - left, bottom - top);
  if (size.cx <= 0 || size.cy <= 0) return 0;
  return ZoomRaster(size);
}

// The selection fills the target as far as it can; a selection never shrinks
// the picture below its present zoom, nor enlarges it past a ceiling.
int CDoubleDib::ImageZoomRect(RECT selection, RECT target) {
  if (!m_vector && (!m_pPicture || !m_pZoomed)) return 0;
  int sW = std::abs(selection.right - selection.left);
  int sH = std::abs(selection.bottom - selection.top);
  const int gW = target.right - target.left, gH = target.bottom - target.top;
  int zW = 0, zH = 0, pW = 0, pH = 0;
  if (m_vector) {
    m_pCap->GetZoomSize(&zW, &zH);
    m_pCap->GetStandardSize(&pW, &pH);
  } else {
    zW = m_pZoomed->GetWidth(), zH = m_pZoomed->GetHeight();
    pW = m_pPicture->GetWidth(), pH = m_pPicture->GetHeight();
  }
  sW = std::min({sW, zW, gW});
  sH = std::min({sH, zH, gH});
  if (sW <= 0 || sH <= 0) return 0;
  float factor = std::min(static_cast<float>(gW) / sW, static_cast<float>(gH) / sH);
  SIZE size{Round(factor * zW), Round(factor * zH)};
  if (size.cx > pW || size.cy > pH) {
    const SIZE table = Ceiling(m_pPicture, m_vector);
    const SIZE ceiling{std::max(pW, table.cx), std::max(pH, table.cy)};
    if (size.cx > ceiling.cx || size.cy > ceiling.cy) {
      factor = std::min(static_cast<float>(ceiling.cx) / zW, static_cast<float>(ceiling.cy) / zH);
      size = SIZE{Round(factor * zW), Round(factor * zH)};
    }
  }
  if (m_vector) return m_pCap->Scale(size.cx, size.cy) ? 1 : 0;
  return ZoomRaster(size);
}

int CDoubleDib::MixPalette(CDoubleDib* partner) {
  if (m_pZoomed && partner && partner->m_pZoomed) {
    m_mixing = 1;
    m_pPartner = partner;
    MixAgain();
  } else {
    m_mixing = 0;
    m_pPartner = nullptr;
  }
  return 1;
}

int CDoubleDib::SetBkColor(COLORREF colour, int extra) {
  m_bkColor = colour;
  m_bkExtra = extra;
  if (m_vector) {
    m_pCap->SetBkColor(colour, extra);
    return 1;
  }
  if (m_pPicture) m_pPicture->SetBkColor(colour, extra);
  if (m_pZoomed && m_pZoomed != m_pPicture) m_pZoomed->SetBkColor(colour, extra);
  return 1;
}

int CDoubleDib::GetSize(int size[2]) const {
  size[0] = size[1] = 0;
  if (m_vector) return m_pCap->GetStandardSize(&size[0], &size[1]);
  if (!m_pPicture) return 0;
  size[0] = m_pPicture->GetWidth();
  size[1] = m_pPicture->GetHeight();
  return 1;
}

int CDoubleDib::GetZoomSize(int size[2]) const {
  size[0] = size[1] = 0;
  if (m_vector) return m_pCap->GetZoomSize(&size[0], &size[1]);
  if (!m_pZoomed) return 0;
  size[0] = m_pZoomed->GetWidth();
  size[1] = m_pZoomed->GetHeight();
  return 1;
}
