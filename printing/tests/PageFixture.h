// Pages rendered on a memory context: a page target that keeps each output
// page as pixels, a picture hook that records what it is asked to draw, and
// a fixture that runs scripts through the page renderer.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "VodFixture.h"
#include "VodPageTarget.h"
#include "VodPictureHook.h"
#include "win32/Gdi.h"

// Rectangles compare and print in test expectations.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const RECT& rect, std::ostream* out);

namespace vod::testing {

// A page's pixels as the memory context held them when it was output.
struct PageImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top-down rows of 0x00RRGGBB

  COLORREF At(int x, int y) const;
  bool Blank(const RECT& area) const;
  std::vector<uint32_t> Crop(const RECT& area) const;
  // The box around every pixel in area that is not white; empty without one.
  RECT Inked(const RECT& area) const;
  RECT Inked() const { return Inked(RECT{0, 0, width, height}); }
  // The first rows of the runs of inked rows in area: one per text line.
  std::vector<int> RunTops(const RECT& area) const;
};

class MemoryPageTarget : public VodPageTarget {
 public:
  MemoryPageTarget(int width, int height);
  ~MemoryPageTarget() override;

  bool IsOpen() const override { return m_open; }
  bool Open(VodContext& context) override;
  bool BeginPage(VodContext& context) override;
  bool OutputPage(VodContext& context) override;
  void Close(VodContext& context) override;

  // What the context holds now.
  PageImage Snapshot() const;
  void Clear();

  HDC dc;
  int width, height;
  std::vector<PageImage> pages;
  int opens = 0, closes = 0, begun = 0;
  bool refuseOpen = false;

 private:
  HBITMAP m_bitmap;
  HGDIOBJ m_oldBitmap;
  bool m_open = false;
};

struct PictureCall {
  std::string what;  // "picture", "raster", "symbol"
  int kind = 0;
  std::string file;
  RECT box{};
  bool centreX = false, centreY = false;
  int percent = 0;  // the largest enlargement, or the raster's percent
};

// Records every call; pictures take the size given.
class RecordingPictures : public VodPictureHook {
 public:
  bool DrawPicture(VodContext&, int kind, const std::string& file, const RECT& box, bool centreX, bool centreY,
                   int maxPercent, RECT& drawn) override;
  bool FitPicture(VodContext&, int kind, const std::string& file, const RECT& box, int maxPercent,
                  int& height) override;
  bool DrawRaster(VodContext&, const std::string& file, int x, int y, int percent) override;
  void SizeSymbol(VodContext&, SymbolRecord& symbol, int targetHeight) override;
  bool DrawSymbol(VodContext&, const SymbolRecord& symbol, const RECT& box) override;
  void PageDone(VodContext&) override { ++pagesDone; }

  std::vector<PictureCall> calls;
  std::vector<int> symbolTargets;
  int pictureHeight = 0;
  int symbolWidth = 0, symbolHeight = 0, symbolPercent = 100;
  int pagesDone = 0;
  bool cancelOnDraw = false;  // the user cancels while a picture is drawn
};

class PageFixture : public VodFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The target with a page of width × height device pixels.
  void UsePage(int width, int height);
  // Runs the script and ends the job as the statement loop does; the
  // result of FinishJob.
  bool RunJob(const std::string& script);

  MemoryPageTarget* m_target = nullptr;
  RecordingPictures* m_pictures = nullptr;
};

}  // namespace vod::testing
