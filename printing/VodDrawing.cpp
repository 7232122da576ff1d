#include "VodDrawing.h"

#include <algorithm>

#include "VodContext.h"
#include "VodFontMapping.h"
#include "VodPictureHook.h"
#include "VodReport.h"
#include "VodStrings.h"
#include "win32/OemCodepage.h"

namespace vod {
namespace {

constexpr const char* kFallbackFont = "COUR_10";
constexpr int kFallbackSize = 10;
// Extra room left behind right-aligned text, in device units.
constexpr int kRightAlignGap = 5;

// The colour level of a grey percentage; -1 draws nothing.
int GreyLevel(int percent) {
  static constexpr std::pair<int, int> kLevels[] = {{0, -1},   {2, 250},  {10, 240}, {20, 210},
                                                    {35, 170}, {55, 120}, {80, 90},  {99, 40}};
  for (const auto& [upTo, level] : kLevels)
    if (percent <= upTo) return level;
  return 0;
}

}  // namespace

VodDrawing::~VodDrawing() { Reset(); }

void VodDrawing::SetDevice(HDC output, HDC page) {
  // Fonts are measured for their output; a new page context only needs
  // them selected again.
  if (output != m_output) DropObjects();
  if (page != m_page) {
    ResetFontState();
    m_penWidth = -1;
  }
  m_output = output;
  m_page = page;
}

void VodDrawing::ResetFontState() {
  m_fontName.clear();
  m_fontSize = 0;
  m_lineHeight = m_ascent = 0;
}

void VodDrawing::DropObjects() {
  for (HDC dc : {m_output, m_page}) {
    if (!dc) continue;
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SelectObject(dc, GetStockObject(BLACK_PEN));
  }
  for (const auto& [key, made] : m_fonts) DeleteObject(made.font);
  m_fonts.clear();
  if (m_pen) DeleteObject(m_pen);
  m_pen = nullptr;
  m_penWidth = -1;
  ResetFontState();
}

void VodDrawing::Reset() {
  DropObjects();
  m_output = m_page = nullptr;
}

POINT VodDrawing::ToDevice(int x, int y) const {
  const PageMetrics& page = m_context.page;
  DWORD formX = static_cast<DWORD>(std::max<LONG>(x + offset.x, 0));
  DWORD formY = static_cast<DWORD>(std::max<LONG>(y + offset.y, 0));
  return POINT{static_cast<LONG>(FormToDeviceX(page, formX)), static_cast<LONG>(FormToDeviceY(page, formY, false))};
}

int VodDrawing::WidthToDevice(int width) const {
  return static_cast<int>(FormToDeviceX(m_context.page, static_cast<DWORD>(std::max(width, 0))));
}

bool VodDrawing::SelectIntoDevice(HFONT font) {
  // In HP4 mode the printer takes fonts only when the page goes to it directly.
  bool intoOutput = !m_context.settings.hp4 || m_context.settings.directDrawing;
  HGDIOBJ previous = intoOutput ? SelectObject(m_output, font) : nullptr;
  if (intoOutput && !previous) {
    ReportError(m_context, 111);
    return false;
  }
  if (m_page != m_output && !SelectObject(m_page, font)) {
    if (previous) SelectObject(m_output, previous);
    ReportError(m_context, 112);
    return false;
  }
  return true;
}

bool VodDrawing::SelectFrameFont(std::string name, int size) {
  UpperCaseAscii(name);
  if (name.empty() || (name == m_fontName && size == m_fontSize)) return true;
  if (!m_output || !m_page) return false;
  DWORD tenths = static_cast<DWORD>(std::max(size, 0)) * 35278 / 10000;
  LONG height = static_cast<LONG>(FormToDeviceY(m_context.page, tenths, false)) + 1;
  if (m_context.settings.charHeightMode) height = -height;
  auto made = m_fonts.find({name, height});
  if (made == m_fonts.end()) {
    LOGFONTA log = FontForFormName(m_context, name, height);
    HFONT font = CreateFontIndirect(&log);
    if (!font) {
      ReportInternalError(m_context, 213, 0);
      return false;
    }
    if (!SelectIntoDevice(font)) {
      DeleteObject(font);
      return false;
    }
    TEXTMETRICA metrics{};
    GetTextMetrics(m_output, &metrics);
    auto toForm = [this](LONG value) {
      return static_cast<int>(DeviceToFormY(m_context.page, static_cast<DWORD>(value), true));
    };
    made = m_fonts.emplace(std::make_pair(name, height), MadeFont{font, toForm(metrics.tmHeight), toForm(metrics.tmAscent)})
               .first;
  } else if (!SelectIntoDevice(made->second.font)) {
    return false;
  }
  m_fontName = name;
  m_fontSize = size;
  m_lineHeight = made->second.lineHeight;
  m_ascent = made->second.ascent;
  return true;
}

void VodDrawing::SetPen(int width) {
  if (m_pen && width == m_penWidth) return;
  if (m_pen) {
    SelectObject(m_page, GetStockObject(BLACK_PEN));
    DeleteObject(m_pen);
  }
  m_pen = CreatePen(PS_SOLID, WidthToDevice(width), RGB(0, 0, 0));
  m_penWidth = width;
  SelectObject(m_page, m_pen);
}

void VodDrawing::DrawLine(int x1, int y1, int x2, int y2) {
  // Even device coordinates, so that lines of one form meet on every device.
  auto even = [](POINT p) { return POINT{p.x & ~1, p.y & ~1}; };
  POINT from = even(ToDevice(x1, y1)), to = even(ToDevice(x2, y2));
  MoveToEx(m_page, from.x, from.y, nullptr);
  LineTo(m_page, to.x, to.y);
}

void VodDrawing::FillGrey(int percent, int x1, int y1, int x2, int y2) {
  int level = GreyLevel(percent);
  if (level < 0) return;
  HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
  HGDIOBJ oldBrush = SelectObject(m_page, brush);
  HGDIOBJ oldPen = SelectObject(m_page, GetStockObject(NULL_PEN));
  POINT from = ToDevice(x1, y1), to = ToDevice(x2, y2);
  Rectangle(m_page, from.x, from.y, to.x, to.y);
  SelectObject(m_page, oldPen);
  SelectObject(m_page, oldBrush);
  DeleteObject(brush);
}

void VodDrawing::DrawBox(int x1, int y1, int x2, int y2, int width) {
  SetPen(width);
  HGDIOBJ oldBrush = SelectObject(m_page, GetStockObject(NULL_BRUSH));
  POINT from = ToDevice(x1, y1), to = ToDevice(x2, y2);
  Rectangle(m_page, from.x, from.y, to.x, to.y);
  SelectObject(m_page, oldBrush);
}

std::string VodDrawing::ForOutput(std::string_view text) const {
  std::string out(text);
  if (m_context.settings.oemText && !out.empty())
    OemToCharBuff(out.data(), out.data(), static_cast<DWORD>(out.size()));
  return out;
}

SIZE VodDrawing::Measure(std::string_view text) {
  std::string out = ForOutput(text);
  SIZE size{};
  if (GetTextExtentPoint32(m_output, out.data(), static_cast<int>(out.size()), &size)) return size;
  // A font that cannot measure: try once more in the fallback font.
  HGDIOBJ previous = GetCurrentObject(m_output, OBJ_FONT);
  DWORD tenths = kFallbackSize * 35278 / 10000;
  LOGFONTA log = FontForFormName(m_context, kFallbackFont,
                                 static_cast<LONG>(FormToDeviceY(m_context.page, tenths, false)) + 1);
  HFONT fallback = CreateFontIndirect(&log);
  if (fallback && SelectObject(m_output, fallback))
    GetTextExtentPoint32(m_output, out.data(), static_cast<int>(out.size()), &size);
  if (size.cx == 0 && size.cy == 0 && m_context.jobState == kJobRunning)
    ReportErrorText(m_context, 286, m_fontName, false);
  if (previous) SelectObject(m_output, previous);
  if (fallback) DeleteObject(fallback);
  return size;
}

int VodDrawing::TextWidth(std::string_view text) {
  return static_cast<int>(DeviceToFormX(m_context.page, static_cast<DWORD>(Measure(text).cx)));
}

int VodDrawing::TextHeight(std::string_view text) {
  return static_cast<int>(DeviceToFormY(m_context.page, static_cast<DWORD>(Measure(text).cy), true));
}

size_t VodDrawing::FitText(std::string_view text, int width, size_t textOffset, const Symbols& symbols,
                           int& lineHeight, bool& forcedBreak) {
  forcedBreak = false;
  int room = WidthToDevice(width);
  bool pictures = std::any_of(symbols.begin(), symbols.end(), [&](const SymbolRecord& symbol) {
    return symbol.position >= textOffset && symbol.position < textOffset + text.size();
  });
  if (!pictures && text.find('\\') == std::string_view::npos) {
    if (Measure(text).cx <= room) return text.size();
    // Characters are as wide together as one by one: the longest part that
    // fits is found by halving.
    size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
      size_t middle = (fits + tooLong) / 2;
      (Measure(text.substr(0, middle)).cx <= room ? fits : tooLong) = middle;
    }
    return fits;
  }
  // The ANSI code page has no lead bytes: every character is one byte.
  int used = 0;
  for (size_t at = 0; at < text.size();) {
    size_t step = 1;
    int advance;
    int height = 0;
    if (text[at] == '\\' && (at + 1 == text.size() || text[at + 1] != '\\')) {
      forcedBreak = true;
      return at + 1;
    }
    const SymbolRecord* symbol = text[at] == kSymbolMark ? SymbolAt(symbols, textOffset + at) : nullptr;
    if (text[at] == '\\') {
      advance = Measure("\\").cx;
      step = 2;
    } else if (symbol) {
      advance = WidthToDevice(symbol->width);
      height = symbol->height;
    } else {
      advance = Measure(text.substr(at, 1)).cx;
    }
    if (used + advance > room) return at;
    used += advance;
    lineHeight = std::max(lineHeight, height);
    at += step;
  }
  return text.size();
}

bool VodDrawing::DrawTextAt(int x, int y, std::string_view text, int alignment, const Symbols& symbols,
                            int lineHeight) {
  // The pieces of text between the pictures, and the pictures.
  struct Piece {
    std::string text;
    const SymbolRecord* symbol;
    int width;
  };
  std::vector<Piece> pieces;
  int total = 0;
  size_t start = 0;
  auto addText = [&](size_t end) {
    if (end <= start) return;
    std::string_view piece = text.substr(start, end - start);
    int width = static_cast<int>(Measure(piece).cx);
    pieces.push_back({ForOutput(piece), nullptr, width});
    total += width;
  };
  for (size_t at = 0; at < text.size(); ++at) {
    const SymbolRecord* symbol = text[at] == kSymbolMark ? SymbolAt(symbols, at) : nullptr;
    if (!symbol) continue;
    addText(at);
    pieces.push_back({std::string(), symbol, WidthToDevice(symbol->width)});
    total += pieces.back().width;
    start = at + 1;
  }
  addText(text.size());

  POINT origin = ToDevice(x, y);
  int left = origin.x;
  if (alignment == kAlignCentre) left -= total / 2;
  if (alignment == kAlignRight) left -= total + kRightAlignGap;
  int standsOn = y + (m_context.settings.symbolsPrintDown ? lineHeight : m_ascent);
  bool ok = true;
  for (const Piece& piece : pieces) {
    if (piece.symbol) {
      int formLeft = static_cast<int>(DeviceToFormX(m_context.page, static_cast<DWORD>(std::max(left, 0)))) - offset.x;
      RECT box{formLeft, standsOn - piece.symbol->height, formLeft + piece.symbol->width, standsOn};
      ok = m_context.pictures->DrawSymbol(m_context, *piece.symbol, box) && ok;
    } else {
      ok = TextOut(m_page, left, origin.y, piece.text.data(), static_cast<int>(piece.text.size())) && ok;
    }
    left += piece.width;
  }
  return ok;
}

}  // namespace vod
