#include "PageFixture.h"

#include <algorithm>

#include "VodContext.h"
#include "VodFormFile.h"
#include "VodInterpreter.h"
#include "VodRenderer.h"

void PrintTo(const RECT& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

namespace vod::testing {

COLORREF PageImage::At(int x, int y) const {
  uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

RECT PageImage::Inked(const RECT& area) const {
  RECT box{area.right, area.bottom, area.left, area.top};
  for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height); ++y)
    for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width); ++x)
      if (At(x, y) != RGB(255, 255, 255)) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.left < box.right ? box : RECT{0, 0, 0, 0};
}

std::vector<uint32_t> PageImage::Crop(const RECT& area) const {
  std::vector<uint32_t> part;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) part.push_back(pixels[static_cast<size_t>(y) * width + x]);
  return part;
}

bool PageImage::Blank(const RECT& area) const {
  RECT box = Inked(area);
  return box.right == box.left;
}

std::vector<int> PageImage::RunTops(const RECT& area) const {
  std::vector<int> tops;
  bool previous = false;
  for (int y = area.top; y < area.bottom; ++y) {
    bool inked = !Blank(RECT{area.left, y, area.right, y + 1});
    if (inked && !previous) tops.push_back(y);
    previous = inked;
  }
  return tops;
}

MemoryPageTarget::MemoryPageTarget(int width, int height) : dc(CreateCompatibleDC(nullptr)), width(width), height(height) {
  m_bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  m_oldBitmap = SelectObject(dc, m_bitmap);
  Clear();
}

MemoryPageTarget::~MemoryPageTarget() {
  SelectObject(dc, m_oldBitmap);
  DeleteObject(m_bitmap);
  DeleteDC(dc);
}

void MemoryPageTarget::Clear() { PatBlt(dc, 0, 0, width, height, WHITENESS); }

PageImage MemoryPageTarget::Snapshot() const {
  PageImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  GetDIBits(dc, m_bitmap, 0, static_cast<UINT>(height), image.pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& pixel : image.pixels) pixel &= 0xFFFFFF;
  return image;
}

bool MemoryPageTarget::Open(VodContext& context) {
  ++opens;
  if (refuseOpen) return false;
  m_open = true;
  FormExtent form = FormPageSize(context.orientation, context.paper);
  context.page = PageMetrics{form.width, form.height, static_cast<DWORD>(width), static_cast<DWORD>(height)};
  context.drawing.SetDevice(dc, dc);
  return true;
}

bool MemoryPageTarget::BeginPage(VodContext&) {
  ++begun;
  return true;
}

bool MemoryPageTarget::OutputPage(VodContext&) {
  pages.push_back(Snapshot());
  Clear();
  return true;
}

void MemoryPageTarget::Close(VodContext&) {
  ++closes;
  m_open = false;
}

bool RecordingPictures::DrawPicture(VodContext& context, int kind, const std::string& file, const RECT& box, bool centreX,
                                    bool centreY, int maxPercent, RECT& drawn) {
  calls.push_back({"picture", kind, file, box, centreX, centreY, maxPercent});
  if (cancelOnDraw) context.jobState = kJobCancelled;
  drawn = RECT{box.left, box.top, box.right, box.top + pictureHeight};
  return true;
}

bool RecordingPictures::FitPicture(VodContext&, int, const std::string&, const RECT&, int, int& height) {
  height = pictureHeight;
  return true;
}

bool RecordingPictures::DrawRaster(VodContext&, const std::string& file, int x, int y, int percent) {
  calls.push_back({"raster", 0, file, RECT{x, y, x, y}, false, false, percent});
  return true;
}

void RecordingPictures::SizeSymbol(VodContext&, SymbolRecord& symbol, int targetHeight) {
  symbolTargets.push_back(targetHeight);
  symbol.width = symbolWidth;
  symbol.height = symbolHeight;
  symbol.percent = symbolPercent;
}

bool RecordingPictures::DrawSymbol(VodContext&, const SymbolRecord& symbol, const RECT& box) {
  calls.push_back({"symbol", symbol.kind, symbol.file, box, false, false, symbol.percent});
  return true;
}

void PageFixture::SetUp() {
  VodFixture::SetUp();
  m_context->renderPage = [](VodContext& context, bool fromData) { return VodRenderer(context).DruckAll(fromData); };
  auto pictures = std::make_unique<RecordingPictures>();
  m_pictures = pictures.get();
  m_context->pictures = std::move(pictures);
  UsePage(420, 594);
}

void PageFixture::UsePage(int width, int height) {
  auto target = std::make_unique<MemoryPageTarget>(width, height);
  m_target = target.get();
  m_context->drawing.Reset();
  m_context->pageTarget = std::move(target);
}

void PageFixture::TearDown() {
  m_context->drawing.Reset();
  m_context->pageTarget.reset();
  m_context->pictures = MakeNoPictures();
  VodFixture::TearDown();
}

bool PageFixture::RunJob(const std::string& script) {
  int result = Run(script);
  return VodInterpreter(*m_context).FinishJob(result == 3);
}

}  // namespace vod::testing
