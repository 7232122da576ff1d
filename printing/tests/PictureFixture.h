// Pictures drawn by the library's own picture drawing onto a memory page
// whose form units are device pixels, and the picture files they come
// from, made byte by byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "PageFixture.h"
#include "VodPictures.h"

namespace vod::testing {

// VEC files: 16-bit words, the trailer (width, height) last.
std::string VecBytes(const std::vector<unsigned>& words, unsigned width, unsigned height);

// A bitmap file of 1, 24 or 32 bits per pixel; pixel(x, y) gives the
// colour index (1 bit) or the colour (0xRRGGBB) of the pixel, y counted
// from the top.
struct BitmapFile {
  int width = 0, height = 0;
  int bits = 1;
  int pixelsPerMetreX = 11811, pixelsPerMetreY = 11811;  // 300 dots per inch
  std::vector<RGBQUAD> colours{RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
  std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };

  std::string Bytes() const;
};

// A CAP file of the kind (3 ".cap", 4 ".ca3", 5 ".ca4") with its label
// slots and the drawing's bytes.
struct CapLabelSlot {
  int16_t x, y, number;
};
std::string CapBytes(int kind, const std::vector<CapLabelSlot>& slots, const std::string& drawing);
// A plain drawing's group: its command byte and points (10-bit values
// whose top two bits the group's points share).
std::string CapGroup(bool draw, const std::vector<std::pair<int, int>>& points);

// The frames of a job with a picture of every kind, in form units.
struct PictureFrame {
  const char* name;
  RECT rect;
};
extern const PictureFrame kEveryKindFrames[6];

class PictureFixture : public PageFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A page whose form units are device pixels, opened for drawing.
  void OpenPage(int width, int height);
  // Writes the file and gives its host path.
  std::string File(const std::string& name, const std::string& bytes) { return Write(name, bytes); }
  bool Draw(int kind, const std::string& file, const RECT& frame, bool centreX = false, bool centreY = false,
            int maxPercent = 200);
  PageImage Page() const { return m_target->Snapshot(); }
  // Writes the form and the picture files of a job with pictures of every
  // kind (HPGL, VEC and CAP in VIEW frames, a raster picture with hotspots,
  // a plot in a data line, a picture in text) and gives its script.
  std::string EveryKindOfPicture();
  // Debug output seen since the set-up.
  std::vector<std::string> m_debug;

  VodPictures* m_real = nullptr;
};

}  // namespace vod::testing
