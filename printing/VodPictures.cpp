#include "VodPictures.h"

#include "VodContext.h"

namespace vod {

VodPictures::VodPictures(VodContext& context)
    : m_plotter(context), m_hpgl(context, m_plotter), m_vec(context, m_plotter), m_cap(context), m_raster(context) {}

bool VodPictures::DrawPicture(VodContext&, int kind, const std::string& file, const RECT& box, bool centreX,
                              bool centreY, int maxPercent, RECT& drawn) {
  // Plots and drawings take no height of their own below them.
  drawn = RECT{box.left, box.top, box.left, box.top};
  if (kind == kPictureHpgl) return m_hpgl.DrawHpglFile(box, file, true, centreX, centreY);
  if (kind == kPictureVec) return m_vec.DrawVecFile(box, file, true, centreX, centreY);
  if (IsCap(kind)) return m_cap.DrawCapFile(kind, box, file, true, centreX, centreY);
  RasterPlacement placement;
  if (!m_raster.RasterFit(file, box, placement, centreX, centreY, maxPercent)) return false;
  if (placement.width == 0 && placement.height == 0) return true;
  drawn = RECT{placement.x, placement.y, placement.x + placement.width, placement.y + placement.height};
  return m_raster.DrawTiffPicture(file, placement.x, placement.y, placement.percent);
}

bool VodPictures::FitPicture(VodContext&, int kind, const std::string& file, const RECT& box, int maxPercent,
                             int& height) {
  int width = 0;
  height = 0;
  if (kind == kPictureHpgl) return m_hpgl.HpglScanExtent(file, box, width, height, true, false, false);
  if (kind == kPictureVec) return m_vec.VecScanExtent(file, box, width, height, true, false, false);
  if (IsCap(kind)) return m_cap.MeasureCapFile(kind, file, box, width, height, true, false, false);
  RasterPlacement placement;
  if (!m_raster.RasterFit(file, box, placement, false, false, maxPercent)) return false;
  height = placement.height;
  return true;
}

bool VodPictures::DrawRaster(VodContext&, const std::string& file, int x, int y, int percent) {
  return m_raster.DrawTiffPicture(file, x, y, percent);
}

void VodPictures::SizeSymbol(VodContext&, SymbolRecord& symbol, int targetHeight) {
  if (IsCap(symbol.kind)) {
    // A drawing takes the height of the line, in a square.
    symbol.width = symbol.height = targetHeight;
    symbol.percent = 100;
    return;
  }
  RasterPlacement placement;
  m_raster.RasterFitHeight(symbol.file, targetHeight, placement);
  symbol.width = placement.width;
  symbol.height = placement.height;
  symbol.percent = placement.percent;
}

bool VodPictures::DrawSymbol(VodContext&, const SymbolRecord& symbol, const RECT& box) {
  if (IsCap(symbol.kind)) return m_cap.DrawCapFile(symbol.kind, box, symbol.file, true, true, true);
  return m_raster.DrawTiffPicture(symbol.file, box.left, box.top, symbol.percent);
}

void VodPictures::PageDone(VodContext&) { m_raster.Cache().ReleaseRasterPictures(true); }

void VodPictures::Release(VodContext&) {
  m_raster.Cache().ReleaseRasterPictures(false);
  m_plotter.Reset();
}

std::unique_ptr<VodPictureHook> MakePictures(VodContext& context) { return std::make_unique<VodPictures>(context); }

}  // namespace vod
