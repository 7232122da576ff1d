#include "VodRaster.h"

#include <algorithm>
#include <cinttypes>
#include <cstdlib>
#include <optional>

#include "CImageDib.h"
#include "VodContext.h"
#include "VodPaths.h"
#include "VodReport.h"
#include "VodRowScaler.h"
#include "VodUi.h"
#include "win32/Errors.h"

namespace vod {
namespace {

constexpr double kInchesPerMetre = 39.37007874015748;
// Pictures that do not say their resolution are taken as 72 dots per inch.
constexpr LONG kLeastResolution = 100;
constexpr double kDefaultPixelsPerMetre = 2834.645669291339;
constexpr double kFormUnitsPerMetre = 10000;
// One-bit pictures this close to their natural size are drawn one to one.
constexpr int kNearlyOneToOneLow = 990;
constexpr int kNearlyOneToOneHigh = 1010;

bool KnowsResolution(const BITMAPINFOHEADER& header) {
  return header.biXPelsPerMeter >= kLeastResolution && header.biYPelsPerMeter >= kLeastResolution;
}

}  // namespace

void VodRaster::NaturalSize(const BITMAPINFOHEADER& header, int& width, int& height) {
  bool known = KnowsResolution(header);
  double perMetreX = known ? header.biXPelsPerMeter : kDefaultPixelsPerMetre;
  double perMetreY = known ? header.biYPelsPerMeter : kDefaultPixelsPerMetre;
  width = static_cast<int>(std::abs(header.biWidth) * kFormUnitsPerMetre / perMetreX);
  height = static_cast<int>(std::abs(header.biHeight) * kFormUnitsPerMetre / perMetreY);
}

void VodRaster::RasterScale(const VodContext& context, int percent, const BITMAPINFOHEADER& header, int& factorX,
                            int& factorY) {
  double perPixelX, perPixelY;
  if (KnowsResolution(header)) {
    perPixelX = context.resolutionX * kInchesPerMetre / header.biXPelsPerMeter;
    perPixelY = context.resolutionY * kInchesPerMetre / header.biYPelsPerMeter;
  } else {
    perPixelX = context.resolutionX / 72.0;
    perPixelY = context.resolutionY / 72.0;
  }
  factorX = static_cast<int>(percent * perPixelX / 100 * 1000);
  factorY = static_cast<int>(percent * perPixelY / 100 * 1000);
}

std::optional<SIZE> VodRaster::NaturalSizeOf(const std::string& file, bool& answer) {
  std::string resolved;
  if (!FileExists(m_context, file, ReferringScript(m_context), resolved)) {
    answer = ReportErrorText(m_context, 122, file, true);
    return std::nullopt;
  }
  CImageDib* picture = m_cache.LoadRasterPicture(resolved.empty() ? file : resolved);
  const BITMAPINFO* info = picture ? picture->GetBMI() : nullptr;
  answer = false;
  if (!info) return std::nullopt;
  SIZE size{};
  int width, height;
  NaturalSize(info->bmiHeader, width, height);
  size.cx = width;
  size.cy = height;
  return size;
}

bool VodRaster::RasterFit(const std::string& file, RECT box, RasterPlacement& placement, bool centreX, bool centreY,
                          int maxPercent) {
  placement = RasterPlacement{};
  bool answer;
  std::optional<SIZE> natural = NaturalSizeOf(file, answer);
  if (!natural) return answer;
  int64_t naturalWidth = natural->cx, naturalHeight = natural->cy;
  if (naturalWidth <= 0 || naturalHeight <= 0) return true;
  if (box.left > box.right) std::swap(box.left, box.right);
  if (box.top > box.bottom) std::swap(box.top, box.bottom);
  int64_t freeWidth = box.right - box.left, freeHeight = box.bottom - box.top;
  auto fits = [&](int64_t percent) {
    return naturalWidth * percent / 100 <= freeWidth && naturalHeight * percent / 100 <= freeHeight;
  };
  int percent = 100;
  if (fits(percent)) {
    while (percent < maxPercent && fits(percent + 1)) ++percent;
  } else {
    while (percent > kLowestPercent && !fits(percent)) --percent;
  }
  placement.percent = percent;
  placement.width = static_cast<int>(naturalWidth * percent / 100);
  placement.height = static_cast<int>(naturalHeight * percent / 100);
  placement.x = box.left + (centreX ? static_cast<int>(std::max<int64_t>(freeWidth - placement.width, 0) / 2) : 0);
  placement.y = box.top + (centreY ? static_cast<int>(std::max<int64_t>(freeHeight - placement.height, 0) / 2) : 0);
  return true;
}

bool VodRaster::RasterFitHeight(const std::string& file, int targetHeight, RasterPlacement& placement) {
  placement = RasterPlacement{};
  bool answer;
  std::optional<SIZE> natural = NaturalSizeOf(file, answer);
  if (!natural) return answer;
  int64_t naturalWidth = natural->cx, naturalHeight = natural->cy;
  placement.percent = targetHeight > 0 ? static_cast<int>(targetHeight * int64_t{100} / (naturalHeight + 1)) : 100;
  placement.width = static_cast<int>(naturalWidth * placement.percent / 100);
  placement.height = static_cast<int>(naturalHeight * placement.percent / 100);
  return true;
}

void VodRaster::ShowInfo(const std::string& file, const BITMAPINFO& info, const BYTE* bits, int percent) {
  if (!m_context.settings.showTiffInfo) return;
  const BITMAPINFOHEADER& header = info.bmiHeader;
  const RGBQUAD& first = info.bmiColors[0];
  unsigned firstColour = first.rgbBlue | first.rgbGreen << 8 | first.rgbRed << 16 | first.rgbReserved << 24;
  std::string text = FormatMessage("TIFF-Datei: %s (%li)\n", file.c_str(), static_cast<long>(header.biSizeImage));
  text += FormatMessage("X resolution\t: %u\n", static_cast<unsigned>(header.biWidth));
  text += FormatMessage("Y resolution\t: %u\n", static_cast<unsigned>(header.biHeight));
  text += FormatMessage("bit count\t\t: %u\n", static_cast<unsigned>(header.biBitCount));
  text += FormatMessage("planes\t\t: %u\n", static_cast<unsigned>(header.biPlanes));
  text += FormatMessage("X dpm\t\t: %u / m\n", static_cast<unsigned>(header.biXPelsPerMeter));
  text += FormatMessage("Y dpm\t\t: %u / m\n", static_cast<unsigned>(header.biYPelsPerMeter));
  text += FormatMessage("compression\t: %u\n", static_cast<unsigned>(header.biCompression));
  text += FormatMessage("color\t\t: %d / %d / 0x%x\n", static_cast<int>(header.biClrUsed),
                        static_cast<int>(header.biClrImportant), firstColour);
  text += FormatMessage(
      "Struktur Gr\xF6\xDF"
      "e\t: %d\n",
      static_cast<int>(header.biSize));
  text += FormatMessage("new size\t\t: %d %%\n", percent);
  text += FormatMessage("printer X res\t: %d\n", m_context.resolutionX);
  text += FormatMessage("printer Y res\t: %d", m_context.resolutionY);
  // Addresses are written whole, 64 bits wide.
  text += FormatMessage("\nZeiger\t: 0x%16.16" PRIxPTR " 0x%16.16" PRIxPTR, reinterpret_cast<uintptr_t>(&info),
                        reinterpret_cast<uintptr_t>(bits));
  CurrentUi().MessageBox(m_context.printDialog, text, "VOD", BoxButtons::Ok, BoxIcon::Information);
}

bool VodRaster::Stretch(HDC dc, POINT at, int width, int height, const BITMAPINFO& info, const BYTE* bits) {
  int sourceWidth = info.bmiHeader.biWidth, sourceHeight = std::abs(info.bmiHeader.biHeight);
  if (width <= 0 || height <= 0) return true;
  int lines = StretchDIBits(dc, at.x, at.y, width, height, 0, 0, sourceWidth, sourceHeight, bits, &info, DIB_RGB_COLORS,
                            SRCCOPY);
  if (lines == 0 || static_cast<unsigned>(lines) == GDI_ERROR) {
    ReportErrorInt(m_context, 182, static_cast<int>(GetLastError()));
    return false;
  }
  if (lines < sourceHeight) {
    ReportErrorInt(m_context, 183, lines);
    return false;
  }
  return true;
}

bool VodRaster::DrawTiffPicture(const std::string& file, int x, int y, int percent) {
  return Traced(m_context, "DrawTiffPicture", [&] {
    std::string resolved;
    if (!FileExists(m_context, file, ReferringScript(m_context), resolved)) return true;
    CImageDib* picture = m_cache.LoadRasterPicture(resolved.empty() ? file : resolved);
    if (!picture || !picture->GetBMI() || !picture->GetBits()) return false;
    const BITMAPINFO& info = *picture->GetBMI();
    const BYTE* bits = picture->GetBits();
    ShowInfo(file, info, bits, percent);
    const POINT offset = m_context.drawing.offset;
    const PageMetrics& page = m_context.page;
    POINT at{static_cast<LONG>(FormToDeviceX(page, static_cast<DWORD>(std::max<LONG>(x + offset.x, 0)))),
             static_cast<LONG>(FormToDeviceY(page, static_cast<DWORD>(std::max<LONG>(y + offset.y, 0)), false))};
    const BITMAPINFOHEADER& header = info.bmiHeader;
    int factorX, factorY;
    RasterScale(m_context, percent, header, factorX, factorY);
    int64_t width = std::abs(header.biWidth), height = std::abs(header.biHeight);
    HDC dc = m_context.drawing.PageDC();
    if (header.biBitCount > 1) {
      picture->To24Bit();
      int previous = SetStretchBltMode(dc, HALFTONE);
      bool ok = Stretch(dc, at, static_cast<int>(width * factorX / 1000), static_cast<int>(height * factorY / 1000),
                        info, bits);
      SetStretchBltMode(dc, previous);
      return ok;
    }
    bool nearlyOneToOne = factorX == factorY && factorX >= kNearlyOneToOneLow && factorX <= kNearlyOneToOneHigh;
    if (percent == 100 && nearlyOneToOne)
      return Stretch(dc, at, static_cast<int>(width), static_cast<int>(height), info, bits);
    return VodRowScaler(m_context).Draw(*picture, at, factorX, factorY);
  });
}

}  // namespace vod
