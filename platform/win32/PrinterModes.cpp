// Device modes: a printer's defaults, merging what a caller asks for, and
// the page and capabilities that follow from a mode.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "win32/Printers.h"

namespace layer {
namespace {

// Paper sizes a printer may offer under their platform numbers.
struct KnownPaper {
  short id;
  int width, height;  // tenths of a millimetre
  const char* name;
};
constexpr KnownPaper kKnownPapers[] = {
    {DMPAPER_LETTER, 2159, 2794, "Letter"}, {DMPAPER_LEGAL, 2159, 3556, "Legal"},
    {DMPAPER_EXECUTIVE, 1841, 2667, "Executive"}, {DMPAPER_A3, 2970, 4200, "A3"},
    {DMPAPER_A4, 2100, 2970, "A4"},         {DMPAPER_A5, 1480, 2100, "A5"},
    {DMPAPER_B4, 2500, 3530, "B4 (JIS)"},   {DMPAPER_B5, 1820, 2570, "B5 (JIS)"}};

// Sizes a printer that takes any paper still accepts: 1 cm to 2 m.
constexpr int kSmallestPaper = 100;
constexpr int kLargestPaper = 20000;

const char* KnownName(short id) {
  for (const KnownPaper& paper : kKnownPapers)
    if (paper.id == id) return paper.name;
  return "";
}

const PaperSize* OfferedPaper(const PrinterDescription& printer, short id) {
  for (const PaperSize& paper : printer.papers)
    if (paper.id == id) return &paper;
  return nullptr;
}

void SetPaper(DEVMODE& mode, const PaperSize& paper) {
  mode.dmPaperSize = paper.id;
  mode.dmPaperWidth = static_cast<short>(paper.width);
  mode.dmPaperLength = static_cast<short>(paper.height);
  std::memset(mode.dmFormName, 0, sizeof mode.dmFormName);
  std::strncpy(reinterpret_cast<char*>(mode.dmFormName), KnownName(paper.id), CCHFORMNAME - 1);
}

DWORD SupportedFields(const PrinterDescription& printer) {
  DWORD fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY | DM_YRESOLUTION | DM_TTOPTION | DM_FORMNAME;
  if (printer.customPaper) fields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
  if (printer.maxCopies > 1) fields |= DM_COPIES;
  if (printer.collates) fields |= DM_COLLATE;
  if (printer.color) fields |= DM_COLOR;
  return fields;
}

int NearestResolution(const PrinterDescription& printer, int wanted) {
  if (printer.resolutions.empty()) return printer.defaultResolution;
  int best = printer.resolutions.front();
  for (int resolution : printer.resolutions)
    if (std::abs(resolution - wanted) < std::abs(best - wanted)) best = resolution;
  return best;
}

// A print quality as dots per inch: positive values are resolutions, the
// negative ones name a quality.
int ResolutionFor(const PrinterDescription& printer, int quality) {
  if (printer.resolutions.empty()) return printer.defaultResolution;
  switch (quality) {
    case DMRES_DRAFT: return printer.resolutions.front();
    case DMRES_HIGH: return printer.resolutions.back();
    case DMRES_LOW:
    case DMRES_MEDIUM: return NearestResolution(printer, 300);
    default: return NearestResolution(printer, quality);
  }
}

int Dots(double tenthsOfMillimetre, int dotsPerInch) {
  return static_cast<int>(std::lround(tenthsOfMillimetre * dotsPerInch / 254.0));
}

// The unreachable margins of the paper as it lies: landscape paper turns the
// portrait top edge to the left.
RECT MarginsAsLaid(const PrinterDescription& printer, const DEVMODE& mode) {
  if (mode.dmOrientation == DMORIENT_LANDSCAPE)
    return RECT{printer.marginTop, printer.marginRight, printer.marginBottom, printer.marginLeft};
  return RECT{printer.marginLeft, printer.marginTop, printer.marginRight, printer.marginBottom};
}

}  // namespace

DEVMODE DefaultMode(const PrinterDescription& printer) {
  DEVMODE mode{};
  std::strncpy(reinterpret_cast<char*>(mode.dmDeviceName), printer.name.c_str(), CCHDEVICENAME - 1);
  mode.dmSpecVersion = DM_SPECVERSION;
  mode.dmDriverVersion = 0x0100;
  mode.dmSize = sizeof(DEVMODE);
  mode.dmDriverExtra = 0;
  mode.dmFields = SupportedFields(printer);
  mode.dmOrientation = DMORIENT_PORTRAIT;
  const PaperSize* paper = OfferedPaper(printer, printer.defaultPaper);
  SetPaper(mode, paper ? *paper : (printer.papers.empty() ? PaperSize{} : printer.papers.front()));
  mode.dmScale = 100;
  mode.dmCopies = 1;
  mode.dmDefaultSource = 7;  // automatic
  mode.dmPrintQuality = static_cast<short>(printer.defaultResolution);
  mode.dmYResolution = static_cast<short>(printer.defaultResolution);
  mode.dmColor = printer.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
  mode.dmDuplex = DMDUP_SIMPLEX;
  mode.dmTTOption = DMTT_DOWNLOAD;
  mode.dmCollate = DMCOLLATE_FALSE;
  return mode;
}

bool MergeMode(const PrinterDescription& printer, DEVMODE& mode, const DEVMODE* input) {
  if (!input) return true;
  std::size_t size = input->dmSize;
  if (size < offsetof(DEVMODE, dmFields) + sizeof(DWORD)) return false;
  DEVMODE in{};
  std::memcpy(&in, input, std::min(size, sizeof(DEVMODE)));
  // A field counts when the input marks it and its bytes lie within dmSize.
  auto marked = [&](DWORD field, std::size_t offset, std::size_t bytes) {
    return (in.dmFields & field) && offset + bytes <= size;
  };
#define VARNO_MARKED(field, member) marked(field, offsetof(DEVMODE, member), sizeof(in.member))

  if (VARNO_MARKED(DM_ORIENTATION, dmOrientation) &&
      (in.dmOrientation == DMORIENT_PORTRAIT || in.dmOrientation == DMORIENT_LANDSCAPE))
    mode.dmOrientation = in.dmOrientation;
  if (VARNO_MARKED(DM_PAPERSIZE, dmPaperSize)) {
    if (const PaperSize* paper = OfferedPaper(printer, in.dmPaperSize)) SetPaper(mode, *paper);
    else if (in.dmPaperSize == DMPAPER_USER && printer.customPaper) mode.dmPaperSize = DMPAPER_USER;
  }
  // A length or width of its own overrides the paper's, where the printer takes any size.
  bool ownWidth = VARNO_MARKED(DM_PAPERWIDTH, dmPaperWidth), ownLength = VARNO_MARKED(DM_PAPERLENGTH, dmPaperLength);
  if (printer.customPaper && (ownWidth || ownLength)) {
    PaperSize paper{DMPAPER_USER, ownWidth ? in.dmPaperWidth : mode.dmPaperWidth, ownLength ? in.dmPaperLength : mode.dmPaperLength};
    if (paper.width >= kSmallestPaper && paper.width <= kLargestPaper && paper.height >= kSmallestPaper &&
        paper.height <= kLargestPaper) {
      for (const PaperSize& offered : printer.papers)
        if (offered.width == paper.width && offered.height == paper.height) paper.id = offered.id;
      SetPaper(mode, paper);
    }
  }
  if (VARNO_MARKED(DM_PRINTQUALITY, dmPrintQuality) && in.dmPrintQuality != 0) {
    int resolution = ResolutionFor(printer, in.dmPrintQuality);
    mode.dmPrintQuality = static_cast<short>(resolution);
    mode.dmYResolution = static_cast<short>(resolution);
  }
  if (VARNO_MARKED(DM_YRESOLUTION, dmYResolution) && in.dmYResolution > 0)
    mode.dmYResolution = static_cast<short>(NearestResolution(printer, in.dmYResolution));
  if (VARNO_MARKED(DM_COPIES, dmCopies) && in.dmCopies > 0)
    mode.dmCopies = static_cast<short>(std::min<int>(in.dmCopies, printer.maxCopies));
  if (VARNO_MARKED(DM_COLLATE, dmCollate) && printer.collates &&
      (in.dmCollate == DMCOLLATE_FALSE || in.dmCollate == DMCOLLATE_TRUE))
    mode.dmCollate = in.dmCollate;
  if (VARNO_MARKED(DM_TTOPTION, dmTTOption) && in.dmTTOption >= DMTT_BITMAP && in.dmTTOption <= DMTT_DOWNLOAD_OUTLINE)
    mode.dmTTOption = in.dmTTOption;
  if (VARNO_MARKED(DM_COLOR, dmColor) && printer.color &&
      (in.dmColor == DMCOLOR_MONOCHROME || in.dmColor == DMCOLOR_COLOR))
    mode.dmColor = in.dmColor;
#undef VARNO_MARKED
  return true;
}

std::string PaperName(const PaperSize& paper) {
  if (*KnownName(paper.id)) return KnownName(paper.id);
  char size[48];
  std::snprintf(size, sizeof size, "%g x %g mm", paper.width / 10.0, paper.height / 10.0);
  return size;
}

PaperSize PaperOf(const DEVMODE& mode) { return PaperSize{mode.dmPaperSize, mode.dmPaperWidth, mode.dmPaperLength}; }

PageGeometry GeometryOf(const PrinterDescription& printer, const DEVMODE& mode) {
  PageGeometry page;
  bool landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
  double width = mode.dmPaperWidth / 10.0, height = mode.dmPaperLength / 10.0;
  page.widthMillimetres = landscape ? height : width;
  page.heightMillimetres = landscape ? width : height;
  page.dotsPerInchX = mode.dmPrintQuality > 0 ? mode.dmPrintQuality : printer.defaultResolution;
  page.dotsPerInchY = mode.dmYResolution > 0 ? mode.dmYResolution : page.dotsPerInchX;
  RECT margins = MarginsAsLaid(printer, mode);
  page.drawableOrigin = POINT{Dots(margins.left, page.dotsPerInchX), Dots(margins.top, page.dotsPerInchY)};
  return page;
}

DeviceCaps CapsOf(const PrinterDescription& printer, const DEVMODE& mode) {
  PageGeometry page = GeometryOf(printer, mode);
  RECT margins = MarginsAsLaid(printer, mode);
  DeviceCaps caps;
  caps.technology = DT_RASPRINTER;
  caps.logPixelsX = page.dotsPerInchX;
  caps.logPixelsY = page.dotsPerInchY;
  caps.physicalWidth = Dots(page.widthMillimetres * 10, page.dotsPerInchX);
  caps.physicalHeight = Dots(page.heightMillimetres * 10, page.dotsPerInchY);
  caps.physicalOffsetX = page.drawableOrigin.x;
  caps.physicalOffsetY = page.drawableOrigin.y;
  caps.horzRes = caps.physicalWidth - caps.physicalOffsetX - Dots(margins.right, page.dotsPerInchX);
  caps.vertRes = caps.physicalHeight - caps.physicalOffsetY - Dots(margins.bottom, page.dotsPerInchY);
  caps.horzSize = static_cast<int>(std::lround(caps.horzRes * 25.4 / page.dotsPerInchX));
  caps.vertSize = static_cast<int>(std::lround(caps.vertRes * 25.4 / page.dotsPerInchY));
  bool color = printer.color && mode.dmColor != DMCOLOR_MONOCHROME;
  caps.bitsPixel = color ? 24 : 1;
  caps.numColors = color ? -1 : 2;
  caps.rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
  caps.textCaps = TC_OP_CHARACTER | TC_OP_STROKE | TC_CP_STROKE | TC_SA_DOUBLE | TC_SA_INTEGER | TC_SA_CONTIN |
                  TC_UA_ABLE | TC_SO_ABLE;
  caps.numReserved = 0;
  return caps;
}

}  // namespace layer
