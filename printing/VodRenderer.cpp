// The page loop, the frames' pictures and static texts, and GRAF lines.
#include "VodRenderer.h"

#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodFieldWords.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodStrings.h"
#include "VodTexts.h"
#include "VodUi.h"

namespace vod {
namespace {

constexpr int kLowestZoom = 50;
constexpr int kDefaultZoom = 200;
constexpr int kLastPictureKind = 5;
constexpr int kLowestGrafSize = 6;
constexpr int kHighestGrafSize = 50;

}  // namespace

bool VodRenderer::DruckAll(bool fromData) {
  return Traced(m_context, "DruckAll", [&] {
    VodPageTarget* target = m_context.pageTarget.get();
    bool opened = target && (target->IsOpen() || target->Open(m_context));
    if (!opened || !m_context.drawing.PageDC()) {
      if (m_context.jobState != kJobCancelled) ReportError(m_context, 18);
      return false;
    }
    m_context.drawing.ResetFontState();
    return RenderPages(fromData);
  });
}

bool VodRenderer::RenderPages(bool fromData) {
  VodPageState& state = m_context.pageState;
  while (true) {
    bool fresh = state.newPagePending;
    if (fresh && !BeginNewPage()) return false;
    if (!DruckData() || !DruckGraf()) return false;
    if (fresh && !m_form.PrintFormular()) return false;
    m_context.pictures->PageDone(m_context);
    state.newPagePending = false;
    bool recordsRemain = !state.dataDone;
    // A fresh page that takes none of the queued records would be followed
    // by ever more pages like it.
    if (fresh && recordsRemain && state.recordsOnPage == 0) {
      VodFrame* frame = m_context.model.frames;
      while (frame && !frame->HoldsData()) frame = frame->next;
      ReportErrorArg(m_context, 60, frame ? frame->name : "");
      return false;
    }
    bool output = !fromData || recordsRemain;
    if (output && !OutputPage()) return false;
    if (StopsAfter(fromData, output, recordsRemain)) return true;
    if (m_context.jobState != kJobRunning) return false;
  }
}

bool VodRenderer::BeginNewPage() {
  if (!m_context.pageTarget->BeginPage(m_context)) return false;
  HDC page = m_context.drawing.PageDC();
  SetTextAlign(page, TA_TOP | TA_LEFT);
  SetBkMode(page, TRANSPARENT);
  SetTextColor(page, RGB(0, 0, 0));
  VodFormModel& model = m_context.model;
  model.ClearFillPositions();
  m_context.pageState.recordsOnPage = 0;
  if (!m_form.PrintFormularGrau()) return false;
  m_context.pageState.dataDone = true;
  for (VodFrame* frame = model.frames; frame; frame = frame->next)
    if (frame->HasPicture() && !DruckFrame(*frame, true)) return false;
  for (VodFrame* frame = model.frames; frame; frame = frame->next)
    if (frame->hasText && !DruckFrame(*frame, false)) return false;
  return true;
}

bool VodRenderer::OutputPage() {
  if (!m_context.pageTarget->OutputPage(m_context)) return false;
  VodCounters& counters = m_context.counters;
  ++counters.sp;
  ++counters.pp;
  counters.cp += counters.cpinc;
  ++counters.further1;
  ++counters.further2;
  ++counters.dp;
  m_context.pageState.newPagePending = true;
  if (m_context.printDialog)
    CurrentUi().SetDialogItemText(m_context.printDialog, kPageItem,
                                  FormatMessage(LoadText(m_context, 317).c_str(), static_cast<int>(counters.dp)));
  return true;
}

bool VodRenderer::StopsAfter(bool fromData, bool output, bool recordsRemain) const {
  // Without an output the page stays open for more data.
  if (!output) return true;
  switch (m_context.formMode) {
    case 1:
    case 3: return fromData || !recordsRemain;
    // EVEN and ODD forms print both sides of the last sheet.
    case 2: return m_context.counters.pp % 2 != 0 && (fromData || !recordsRemain);
    // No form in use: one page.
    default: return true;
  }
}

// Frames

VodRenderer::PreparedLine VodRenderer::PrepareLine(const VodFrame& frame, const BlockText& node) {
  PreparedLine line;
  line.text = node.Text();
  if (line.text.find('%') != std::string::npos) line.text = ExpandFieldWords(m_context, line.text);
  int index = std::clamp<int>(node.line, 0, kLineFonts - 1);
  const char* font = node.fonts ? node.fonts->fontName[index] : frame.lineFont[index];
  WORD size = node.fonts ? node.fonts->fontSize[index] : frame.lineSize[index];
  // A font that cannot be had is reported; the line prints in the previous one.
  m_context.drawing.SelectFrameFont(std::string(font, strnlen(font, kFontNameSize)), size);
  line.symbols = ParseSymbolEscape(m_context, line.text, m_context.drawing.LineHeight());
  return line;
}

bool VodRenderer::MeasureText(const VodFrame& frame, const PreparedLine& line, int width, int& height) {
  height = 0;
  return m_layout.DrawWrappedText(0, 0, height, line.text, width, false, frame.name, frame.flags[0], line.symbols);
}

bool VodRenderer::DruckFrame(VodFrame& frame, bool picturePass) {
  return Traced(m_context, "DruckFrame", [&] {
    RECT rect;
    if (!m_form.SetFrame(frame, rect)) return true;
    if (picturePass) {
      if (!frame.HasPicture()) return true;
      if (frame.maxZoom < kLowestZoom) frame.maxZoom = kDefaultZoom;
      int kind = frame.pictureKind <= kLastPictureKind ? frame.pictureKind : 0;
      TracePicture(kind, frame.picture);
      RECT drawn;
      if (!m_context.pictures->DrawPicture(m_context, kind, frame.picture, rect, frame.flags[1] != 0,
                                           frame.flags[2] != 0, frame.maxZoom, drawn))
        return false;
      if (!frame.isStatic) frame.picture[0] = '\0';
      return true;
    }
    int offset = 0;
    if (frame.isStatic && frame.flags[2] && !FitStaticText(frame, rect, offset)) return false;
    for (BlockText* node = frame.textList; node;) {
      if (!PumpMessages()) return false;
      PreparedLine line = PrepareLine(frame, *node);
      bool stop = false;
      if (!DrawStaticLine(frame, rect, offset, line, stop)) return false;
      if (stop) break;
      if (frame.isStatic) {
        node = node->next;
      } else {
        m_context.model.PopBlockText(frame);
        node = frame.textList;
      }
    }
    return true;
  });
}

bool VodRenderer::FitStaticText(VodFrame& frame, const RECT& rect, int& offset) {
  offset = 0;
  int total = 0;
  for (BlockText* node = frame.textList; node; node = node->next) {
    int height = 0;
    if (!MeasureText(frame, PrepareLine(frame, *node), rect.right - rect.left, height)) return false;
    total += height;
  }
  int room = rect.bottom - rect.top - m_context.pageState.staticAllowance - frame.fillPos;
  if (total <= room) {
    offset = (room - total) / 2;
    return true;
  }
  int mode = m_context.settings.sizeCheckMode;
  if (mode == kSizeCheckCut) return true;
  ReportErrorArg(m_context, 63, frame.name);
  return mode == kSizeCheckOff;
}

bool VodRenderer::DrawStaticLine(VodFrame& frame, const RECT& rect, int offset, PreparedLine& line, bool& stop) {
  int width = rect.right - rect.left;
  int room = rect.bottom - rect.top - m_context.pageState.staticAllowance;
  int height = 0;
  if (!MeasureText(frame, line, width, height)) return false;
  if (frame.fillPos + height > room) {
    if (!frame.isStatic) {
      stop = true;
      return true;
    }
    switch (m_context.settings.sizeCheckMode) {
      case kSizeCheckCut:
        if (!CutToFit(frame, line, width, room - frame.fillPos)) return false;
        break;
      case kSizeCheckOff: ReportErrorArg(m_context, 64, frame.name); break;
      default: ReportErrorArg(m_context, 64, frame.name); return false;
    }
  }
  int fill = frame.fillPos;
  if (!m_layout.DrawWrappedText(rect.left, rect.top + offset, fill, line.text, width, true, frame.name,
                                frame.flags[0], line.symbols))
    return false;
  frame.fillPos = static_cast<WORD>(std::clamp(fill, 0, 0xFFFF));
  return true;
}

bool VodRenderer::CutToFit(const VodFrame& frame, PreparedLine& line, int width, int room) {
  // The text is shortened from its end until it fits; an inline picture
  // goes whole. A longer text never takes less height, so the longest part
  // that fits is found by halving.
  size_t fits = 0, tooLong = line.text.size();
  while (tooLong - fits > 1) {
    size_t middle = (fits + tooLong) / 2;
    PreparedLine part{line.text.substr(0, middle), line.symbols};
    int height = 0;
    if (!MeasureText(frame, part, width, height)) return false;
    (height <= room ? fits : tooLong) = middle;
  }
  line.text.resize(fits);
  std::erase_if(line.symbols, [fits](const SymbolRecord& symbol) { return symbol.position >= fits; });
  return true;
}

void VodRenderer::TracePicture(int kind, const std::string& file) {
  static const char* const kNames[] = {"TIFF", "HPGL", nullptr, "CAP", "CA3", "CA4"};
  if (kind >= 0 && kind <= kLastPictureKind && kNames[kind])
    Trace(m_context, FormatMessage("  %s %s %s\n", kNames[kind], FileLabel(m_context.languageOffset), file.c_str()));
}

// GRAF lines

bool VodRenderer::DruckGraf() {
  return Traced(m_context, "DruckGraf", [&] {
    VodFormModel& model = m_context.model;
    for (VodFrame* frame = model.frames; frame; frame = frame->next) {
      RECT rect;
      if (!frame->grafList || !m_form.SetFrame(*frame, rect)) continue;
      while (frame->grafList) {
        if (!PumpMessages()) return false;
        std::string line = frame->grafList->Text();
        bool ok = DrawGrafLine(line, rect);
        model.PopGrafData(*frame);
        if (!ok) return false;
      }
    }
    return true;
  });
}

bool VodRenderer::DrawGrafLine(const std::string& line, const RECT& rect) {
  std::string_view rest = line;
  std::string word = NextWord(rest);
  UpperCaseAscii(word);
  auto refuse = [&](int text) {
    ReportErrorArg(m_context, text, line);
    return false;
  };
  // Coordinates and widths are given, and never 0.
  auto numbers = [&](std::initializer_list<int*> values) {
    for (int* value : values) {
      std::string number = NextWord(rest);
      *value = ParseInt(number);
      if (number.empty() || *value == 0) return false;
    }
    return true;
  };
  VodDrawing& drawing = m_context.drawing;
  int x1, y1, x2, y2, width;
  if (word == "LINE") {
    if (!numbers({&x1, &y1, &x2, &y2, &width})) return refuse(29);
    drawing.SetPen(width);
    drawing.DrawLine(rect.left + x1, rect.top + y1, rect.left + x2, rect.top + y2);
    return true;
  }
  if (word == "RASTER") {
    if (!numbers({&x1, &y1})) return refuse(29);
    std::string file = NextWord(rest);
    if (file.empty()) return refuse(14);
    // The line went through the OEM step when it was read; the file's name
    // is the one the script wrote.
    OemToAnsiGerman(file);
    TracePicture(0, file);
    return m_context.pictures->DrawRaster(m_context, file, rect.left + x1, rect.top + y1, 100);
  }
  if (word == "TEXT") {
    if (!numbers({&x1, &y1})) return refuse(29);
    std::string font = NextWord(rest);
    std::string size = NextWord(rest);
    if (size.empty()) return refuse(8);
    int points = ParseInt(size);
    if (points < kLowestGrafSize || points > kHighestGrafSize) return refuse(52);
    if (!drawing.SelectFrameFont(font, points)) return false;
    std::string text(rest);
    if (text.empty()) return true;
    // OEM text is turned back by the output; ANSI text needs its letters back.
    if (!m_context.settings.oemText) OemToAnsiGerman(text);
    return drawing.DrawTextAt(rect.left + x1, rect.top + y1, text, kAlignLeft, {}, drawing.LineHeight());
  }
  return refuse(2);
}

}  // namespace vod
