// Raster pictures on the page: fitted into frames in whole percent steps,
// converted from their resolution to the printer's, and drawn: colour and
// grey pictures stretched by the device, one-bit pictures one to one or
// through the row scaler. The library decodes no picture format itself:
// the raster picture library does.
#pragma once

#include <optional>
#include <string>

#include "VodRasterCache.h"
#include "win32/GdiTypes.h"

namespace vod {

class VodContext;

// Where and how large a fitted picture is, in form units.
struct RasterPlacement {
  int x = 0, y = 0;
  int width = 0, height = 0;
  int percent = 100;
};

class VodRaster {
 public:
  static constexpr int kLowestPercent = 10;

  explicit VodRaster(VodContext& context) : m_context(context), m_cache(context) {}

  // Draws the picture with its top-left corner at (x, y) in form units, at
  // percent of its natural size. A file that cannot be found draws nothing.
  bool DrawTiffPicture(const std::string& file, int x, int y, int percent);
  // The largest percent up to maxPercent (at least 10) at which the picture
  // fits the box, and where it goes. A missing file is asked about (text
  // 122): going on gives size 0, else false.
  bool RasterFit(const std::string& file, RECT box, RasterPlacement& placement, bool centreX, bool centreY,
                 int maxPercent);
  // An inline picture: as high as targetHeight, or at 100 percent without one.
  bool RasterFitHeight(const std::string& file, int targetHeight, RasterPlacement& placement);
  // Device pixels per picture pixel, in thousandths.
  static void RasterScale(const VodContext& context, int percent, const BITMAPINFOHEADER& header, int& factorX,
                          int& factorY);
  // The picture's size at 100 percent in form units; 72 dots per inch when
  // it does not say its resolution.
  static void NaturalSize(const BITMAPINFOHEADER& header, int& width, int& height);

  VodRasterCache& Cache() { return m_cache; }

 private:
  // The natural size of the file's picture. None when the file is missing
  // (answer: whether the user goes on, text 122) or cannot be decoded
  // (answer false).
  std::optional<SIZE> NaturalSizeOf(const std::string& file, bool& answer);
  void ShowInfo(const std::string& file, const BITMAPINFO& info, const BYTE* bits, int percent);
  bool Stretch(HDC dc, POINT at, int width, int height, const BITMAPINFO& info, const BYTE* bits);

  VodContext& m_context;
  VodRasterCache m_cache;
};

}  // namespace vod
