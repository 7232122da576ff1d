#include "PictureFixture.h"

#include "interfaces/QridHtSp.h"
#include "win32/DebugOutput.h"

namespace vod::testing {
namespace {

void Put16(std::string& s, unsigned value) {
  s += static_cast<char>(value & 0xFF);
  s += static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& s, uint32_t value) {
  Put16(s, value & 0xFFFF);
  Put16(s, value >> 16);
}

}  // namespace

std::string VecBytes(const std::vector<unsigned>& words, unsigned width, unsigned height) {
  std::string bytes;
  for (unsigned word : words) Put16(bytes, word);
  Put16(bytes, width);
  Put16(bytes, height);
  return bytes;
}

std::string BitmapFile::Bytes() const {
  size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  std::string pixels(stride * height, '\0');
  for (int y = 0; y < height; ++y) {
    char* row = pixels.data() + stride * (height - 1 - y);  // bottom-up
    for (int x = 0; x < width; ++x) {
      uint32_t value = pixel(x, y);
      if (bits == 1) {
        if (value) row[x / 8] = static_cast<char>(row[x / 8] | 0x80 >> (x % 8));
      } else {
        // Blue, green, red (and a fourth byte at 32 bits).
        char* at = row + static_cast<size_t>(x) * (bits / 8);
        at[0] = static_cast<char>(value & 0xFF);
        at[1] = static_cast<char>(value >> 8 & 0xFF);
        at[2] = static_cast<char>(value >> 16 & 0xFF);
      }
    }
  }
  std::string info;
  Put32(info, 40);
  Put32(info, static_cast<uint32_t>(width));
  Put32(info, static_cast<uint32_t>(height));
  Put16(info, 1);
  Put16(info, static_cast<unsigned>(bits));
  Put32(info, BI_RGB);
  Put32(info, static_cast<uint32_t>(pixels.size()));
  Put32(info, static_cast<uint32_t>(pixelsPerMetreX));
  Put32(info, static_cast<uint32_t>(pixelsPerMetreY));
  Put32(info, 0);
  Put32(info, 0);
  if (bits <= 8)
    for (const RGBQUAD& colour : colours) info.append(reinterpret_cast<const char*>(&colour), sizeof colour);
  std::string file = "BM";
  Put32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(14 + info.size()));
  return file + info + pixels;
}

std::string CapBytes(int kind, const std::vector<CapLabelSlot>& slots, const std::string& drawing) {
  std::string bytes;
  if (kind != kCapPlain) bytes += static_cast<char>(slots.size());
  for (const CapLabelSlot& slot : slots) Put16(bytes, static_cast<uint16_t>(slot.x));
  for (const CapLabelSlot& slot : slots) Put16(bytes, static_cast<uint16_t>(slot.y));
  for (const CapLabelSlot& slot : slots) Put16(bytes, static_cast<uint16_t>(slot.number));
  return bytes + drawing;
}

std::string CapGroup(bool draw, const std::vector<std::pair<int, int>>& points) {
  // One high-bits field serves the group: all points share it.
  int highX = points.empty() ? 0 : points[0].first >> 8, highY = points.empty() ? 0 : points[0].second >> 8;
  std::string bytes(1, static_cast<char>(points.size() << 5 | (draw ? 0x10 : 0) | highX << 2 | highY));
  for (auto [x, y] : points) {
    bytes += static_cast<char>(x & 0xFF);
    bytes += static_cast<char>(y & 0xFF);
  }
  return bytes;
}

const PictureFrame kEveryKindFrames[6] = {
    {"PLOT", {100, 100, 1000, 700}},     {"VEC", {1100, 100, 2000, 700}},   {"CAP", {100, 800, 1000, 1400}},
    {"RASTER", {1100, 800, 2000, 1400}}, {"DATA", {100, 1500, 1000, 2400}}, {"TEXT", {1100, 1500, 2000, 2400}},
};

std::string PictureFixture::EveryKindOfPicture() {
  std::vector<FormItemBytes> items;
  for (const PictureFrame& frame : kEveryKindFrames)
    items.push_back(
        FrameItem(frame.name, frame.rect.left, frame.rect.top, frame.rect.right, frame.rect.bottom, "UNIV", 10, 'L'));
  Write("page.frm", FormFileBytes(items));
  Write("plot.plt", "IN;SP1;PU0,0;PD4000,0,4000,3000,0,3000,0,0;PU500,500;PD3500,2500;PU;");
  Write("pic.vec", VecBytes({0, 0, 3000, 0x8000 | 2000, 0x8000 | 500, 1500, 1000, 0, 360}, 3000, 2000));
  std::vector<CapLabelSlot> labels(100, {0, 0, 0});
  labels[7] = {500, 500, 1017};
  Write("pic.cap", CapBytes(kCapPlain, labels,
                            CapGroup(false, {{100, 100}}) + CapGroup(true, {{900, 100}}) + CapGroup(true, {{900, 600}})));
  // 300 x 200 pixels at 300 dpi: a border and a diagonal, and a hotspot.
  BitmapFile bitmap;
  bitmap.width = 300;
  bitmap.height = 200;
  bitmap.pixel = [](int x, int y) { return x < 4 || y < 4 || x >= 296 || y >= 196 || x == y ? 1u : 0u; };
  std::string raster = Write("pic.bmp", bitmap.Bytes());
  HS_HANDLE hotspots = HS_New();
  HS_AddHotspot(hotspots, 10, 10, 60, 40, "4711", "link", 0);
  HS_FileWriteHotspots(hotspots, CString(raster.c_str()));
  HS_Delete(hotspots);
  return "USE FORM page.frm\n"
         "VIEW FRAME PLOT HPGL plot.plt\n"
         "VIEW FRAME VEC VEC pic.vec XCEN YCEN\n"
         "VIEW FRAME CAP CAP pic.cap\n"
         "VIEW FRAME RASTER TIFF pic.bmp XCEN YCEN\n"
         "DATA FRAME (HPGL)DATA BEGIN\nplot\nEND\n"
         "PRINT FRAME TEXT Teil %SYMBOL LINE TIFF pic.bmp% Ende\n"
         "PAGE\n";
}

void PictureFixture::SetUp() {
  PageFixture::SetUp();
  layer::SetDebugOutputSink([this](std::string_view text) { m_debug.emplace_back(text); });
  // Bare names (the pen file) are found in the test's folder.
  WriteIni({"CheckFrames=FALSE", "VOD_ROOT=" + m_folder.Path() + "/"});
  Write("default.pen", "; pens 0 to 15\r\n1\r\n1\r\n3\r\n5\r\n");
  auto pictures = std::make_unique<VodPictures>(*m_context);
  m_real = pictures.get();
  m_context->pictures = std::move(pictures);
}

void PictureFixture::TearDown() {
  layer::SetDebugOutputSink({});
  PageFixture::TearDown();
}

void PictureFixture::OpenPage(int width, int height) {
  UsePage(width, height);
  ASSERT_TRUE(m_target->Open(*m_context));
  m_context->page = PageMetrics{static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(width),
                                static_cast<DWORD>(height)};
  SetBkMode(m_target->dc, TRANSPARENT);
}

bool PictureFixture::Draw(int kind, const std::string& file, const RECT& frame, bool centreX, bool centreY,
                          int maxPercent) {
  RECT drawn;
  return m_context->pictures->DrawPicture(*m_context, kind, file, frame, centreX, centreY, maxPercent, drawn);
}

}  // namespace vod::testing
