// Pictures of every kind printed by a script to the PDF printer, and the
// same page recorded: each picture lies inside its frame on pdftoppm's
// rendering and on the played-back recording, and nothing outside.
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "VodContext.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"
#include "win32/EnhMetaFile.h"
#include "win32/GdiPrint.h"
#include "win32/Printers.h"

namespace vod {
namespace {

using layer::testing::PdfFile;

constexpr int kDpi = 300;

DEVMODE A4(int dpi) {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY | DM_YRESOLUTION;
  mode.dmOrientation = DMORIENT_PORTRAIT;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmPrintQuality = static_cast<short>(dpi);
  mode.dmYResolution = static_cast<short>(dpi);
  return mode;
}

// Puts the printer's page metrics and resolution into the job.
void TakeDevice(VodContext& context, HDC dc) {
  context.page = PageMetrics{2100, 2970, static_cast<DWORD>(GetDeviceCaps(dc, HORZRES)),
                             static_cast<DWORD>(GetDeviceCaps(dc, VERTRES))};
  context.resolutionX = GetDeviceCaps(dc, LOGPIXELSX);
  context.resolutionY = GetDeviceCaps(dc, LOGPIXELSY);
}

// The PDF printer as the job's output: a document of pages.
class PrinterTarget : public VodPageTarget {
 public:
  explicit PrinterTarget(std::string path) : m_path(std::move(path)) {}
  bool IsOpen() const override { return m_dc != nullptr; }
  bool Open(VodContext& context) override {
    DEVMODE mode = A4(kDpi);
    m_dc = CreateDC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
    DOCINFO info{sizeof(DOCINFO), "Pictures", m_path.c_str(), nullptr, 0};
    if (!m_dc || StartDoc(m_dc, &info) <= 0) return false;
    TakeDevice(context, m_dc);
    context.drawing.SetDevice(m_dc, m_dc);
    return true;
  }
  bool BeginPage(VodContext&) override { return StartPage(m_dc) > 0; }
  bool OutputPage(VodContext&) override { return EndPage(m_dc) > 0; }
  void Close(VodContext& context) override {
    context.drawing.Reset();
    EndDoc(m_dc);
    DeleteDC(m_dc);
    m_dc = nullptr;
  }

 private:
  std::string m_path;
  HDC m_dc = nullptr;
};

// Pages recorded against a printer's information context.
class RecordingTarget : public VodPageTarget {
 public:
  explicit RecordingTarget(int dpi) : m_dpi(dpi) {}
  ~RecordingTarget() override {
    for (HENHMETAFILE page : pages) DeleteEnhMetaFile(page);
  }
  bool IsOpen() const override { return m_reference != nullptr; }
  bool Open(VodContext& context) override {
    DEVMODE mode = A4(m_dpi);
    m_reference = CreateIC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
    if (!m_reference) return false;
    TakeDevice(context, m_reference);
    return BeginPage(context);
  }
  bool BeginPage(VodContext& context) override {
    if (m_page) return true;
    RECT frame{0, 0, 21000, 29700};  // hundredths of a millimetre
    m_page = CreateEnhMetaFile(m_reference, nullptr, &frame, "page");
    context.drawing.SetDevice(m_reference, m_page);
    return m_page != nullptr;
  }
  bool OutputPage(VodContext& context) override {
    pages.push_back(CloseEnhMetaFile(m_page));
    m_page = nullptr;
    return BeginPage(context);
  }
  void Close(VodContext& context) override {
    context.drawing.Reset();
    if (m_page) DeleteEnhMetaFile(CloseEnhMetaFile(m_page));
    m_page = nullptr;
    DeleteDC(m_reference);
    m_reference = nullptr;
  }
  std::vector<HENHMETAFILE> pages;

 private:
  int m_dpi;
  HDC m_reference = nullptr;
  HDC m_page = nullptr;
};

class PrintedPictures : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    if (!PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils (pdftoppm) are not installed";
  }

  // Every frame has ink, all of it inside the frame, and nothing lies
  // outside the frames. scale: pixels per form unit.
  template <class Dark>
  void ExpectPicturesInFrames(int width, int height, double scale, Dark dark) {
    auto toPixels = [scale](const RECT& r) {
      return RECT{static_cast<LONG>(r.left * scale), static_cast<LONG>(r.top * scale),
                  static_cast<LONG>(r.right * scale) + 1, static_cast<LONG>(r.bottom * scale) + 1};
    };
    const auto& frames = testing::kEveryKindFrames;
    std::vector<int> inFrame(std::size(frames), 0);
    int outside = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (!dark(x, y)) continue;
        bool found = false;
        for (size_t i = 0; i < std::size(frames) && !found; ++i) {
          RECT r = toPixels(frames[i].rect);
          if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) found = ++inFrame[i] > 0;
        }
        outside += !found;
      }
    for (size_t i = 0; i < std::size(frames); ++i) EXPECT_GT(inFrame[i], 0) << frames[i].name;
    EXPECT_EQ(outside, 0) << "dark pixels outside the frames";
  }

  layer::testing::PrinterSandbox m_sandbox;
};

TEST_F(PrintedPictures, OnThePdfPrinterEachPictureIsFittedInItsFrame) {
  std::string path = m_sandbox.Folder() / "pictures.pdf";
  m_context->drawing.Reset();
  m_context->pageTarget = std::make_unique<PrinterTarget>(path);
  ASSERT_TRUE(RunJob(EveryKindOfPicture()));
  PdfFile pdf(path);
  ASSERT_EQ(pdf.Pages(), 1);
  // 100 dpi: 2100 form units are 827 pixels.
  PdfFile::Raster page = pdf.Render(1, 100, m_folder / "page.png");
  ASSERT_GT(page.width, 0);
  ExpectPicturesInFrames(page.width, page.height, page.width / 2100.0,
                         [&](int x, int y) { return page.At(x, y) < 128; });
}

TEST_F(PrintedPictures, RecordedPagesPlayBackWithEachPictureInItsFrame) {
  auto recording = std::make_unique<RecordingTarget>(kDpi);
  RecordingTarget* target = recording.get();
  m_context->drawing.Reset();
  m_context->pageTarget = std::move(recording);
  ASSERT_TRUE(RunJob(EveryKindOfPicture()));
  ASSERT_EQ(target->pages.size(), 1u);
  testing::MemoryPageTarget screen(827, 1169);
  RECT whole{0, 0, 827, 1169};
  ASSERT_TRUE(PlayEnhMetaFile(screen.dc, target->pages[0], &whole));
  testing::PageImage page = screen.Snapshot();
  ExpectPicturesInFrames(page.width, page.height, 827 / 2100.0,
                         [&](int x, int y) { return (page.At(x, y) & 0xFF) < 128; });
}

}  // namespace
}  // namespace vod
