// The pictures of printed pages: HPGL and VEC plots, CAP drawings and
// raster pictures in frames, data lines, form items, GRAF lines and text.
#pragma once

#include <memory>

#include "VodCap.h"
#include "VodHpgl.h"
#include "VodPictureHook.h"
#include "VodPlotter.h"
#include "VodRaster.h"
#include "VodStatements.h"
#include "VodVec.h"

namespace vod {

// Picture kinds of frames and data lines (kPictureHpgl, kPictureVec: as the
// statements name them).
constexpr int kPictureRaster = kPictureTiff;

class VodPictures : public VodPictureHook {
 public:
  explicit VodPictures(VodContext& context);

  bool DrawPicture(VodContext& context, int kind, const std::string& file, const RECT& box, bool centreX, bool centreY,
                   int maxPercent, RECT& drawn) override;
  bool FitPicture(VodContext& context, int kind, const std::string& file, const RECT& box, int maxPercent,
                  int& height) override;
  bool DrawRaster(VodContext& context, const std::string& file, int x, int y, int percent) override;
  void SizeSymbol(VodContext& context, SymbolRecord& symbol, int targetHeight) override;
  bool DrawSymbol(VodContext& context, const SymbolRecord& symbol, const RECT& box) override;
  void PageDone(VodContext& context) override;
  void Release(VodContext& context) override;

  VodPlotter& Plotter() { return m_plotter; }
  VodRaster& Raster() { return m_raster; }

 private:
  static bool IsCap(int kind) { return kind == kCapPlain || kind == kCapCount || kind == kCapPacked; }

  VodPlotter m_plotter;
  VodHpgl m_hpgl;
  VodVec m_vec;
  VodCap m_cap;
  VodRaster m_raster;
};

// The library's pictures, drawn on the context's pages.
std::unique_ptr<VodPictureHook> MakePictures(VodContext& context);

}  // namespace vod
