// How page rendering draws pictures: the pictures of VIEW frames and of
// data lines, raster items of the form and GRAF frames, and inline pictures
// of text. Coordinates are form units. The picture drawing of the library
// installs itself here (MakePictures); the stand-in draws nothing.
#pragma once

#include <memory>
#include <string>

#include "VodSymbols.h"
#include "win32/Types.h"

namespace vod {

class VodContext;

class VodPictureHook {
 public:
  virtual ~VodPictureHook() = default;
  // A picture of kind (0 raster, 1 HPGL, 2 VEC, 3 CAP, 4 CA3, 5 CA4) fitted
  // into box, centred as asked and enlarged by at most maxPercent; drawn
  // receives the box it took.
  virtual bool DrawPicture(VodContext& context, int kind, const std::string& file, const RECT& box, bool centreX,
                           bool centreY, int maxPercent, RECT& drawn) = 0;
  // The height such a picture takes in box, without drawing it.
  virtual bool FitPicture(VodContext& context, int kind, const std::string& file, const RECT& box, int maxPercent,
                          int& height) = 0;
  // A raster picture with its top-left corner at (x, y), at percent of its
  // natural size.
  virtual bool DrawRaster(VodContext& context, const std::string& file, int x, int y, int percent) = 0;
  // Width, height and percent of an inline picture fitted to targetHeight
  // (0: at its natural size).
  virtual void SizeSymbol(VodContext& context, SymbolRecord& symbol, int targetHeight) = 0;
  virtual bool DrawSymbol(VodContext& context, const SymbolRecord& symbol, const RECT& box) = 0;
  // After each page: the raster pictures the page did not use may go.
  virtual void PageDone(VodContext& context) = 0;
  // At the start and the end of a job: every picture and drawing state of
  // the job goes.
  virtual void Release(VodContext&) {}
};

// Draws nothing; pictures take no room.
std::unique_ptr<VodPictureHook> MakeNoPictures();

}  // namespace vod
