#include "VodPictureHook.h"

namespace vod {
namespace {

class NoPictures : public VodPictureHook {
 public:
  bool DrawPicture(VodContext&, int, const std::string&, const RECT& box, bool, bool, int, RECT& drawn) override {
    drawn = RECT{box.left, box.top, box.left, box.top};
    return true;
  }
  bool FitPicture(VodContext&, int, const std::string&, const RECT&, int, int& height) override {
    height = 0;
    return true;
  }
  bool DrawRaster(VodContext&, const std::string&, int, int, int) override { return true; }
  void SizeSymbol(VodContext&, SymbolRecord& symbol, int) override {
    symbol.width = symbol.height = 0;
    symbol.percent = 100;
  }
  bool DrawSymbol(VodContext&, const SymbolRecord&, const RECT&) override { return true; }
  void PageDone(VodContext&) override {}
};

}  // namespace

std::unique_ptr<VodPictureHook> MakeNoPictures() { return std::make_unique<NoPictures>(); }

}  // namespace vod
