#include "VodTextLayout.h"

#include <algorithm>

#include "VodContext.h"
#include "VodDrawing.h"
#include "VodReport.h"

namespace vod {
namespace {

constexpr std::string_view kBreakAfter = " .,;:)]";
constexpr std::string_view kBreakBefore = "([";

bool IsPicture(std::string_view text, size_t at, size_t textOffset, const Symbols& symbols) {
  return text[at] == kSymbolMark && SymbolAt(symbols, textOffset + at);
}

// Where a line that must end before cut ends best: behind a blank or
// punctuation, or before an opening parenthesis; at the cut without one. A
// blank right at the cut ends the line too: it takes no visible room.
size_t BreakPosition(std::string_view text, size_t cut, size_t textOffset, const Symbols& symbols) {
  if (text[cut] == ' ') return cut + 1;
  for (size_t at = cut; at-- > 0;) {
    if (IsPicture(text, at, textOffset, symbols)) continue;
    if (kBreakAfter.find(text[at]) != std::string_view::npos) return at + 1;
    if (at > 0 && kBreakBefore.find(text[at]) != std::string_view::npos) return at;
  }
  return cut;
}

}  // namespace

int VodTextLayout::LineHeight(std::string_view line, size_t textOffset, const Symbols& symbols) const {
  int height = m_context.drawing.LineHeight();
  for (const SymbolRecord& symbol : symbols)
    if (symbol.position >= textOffset && symbol.position < textOffset + line.size())
      height = std::max(height, symbol.height);
  return height;
}

bool VodTextLayout::BreakLine(std::string_view text, int width, size_t textOffset, const Symbols& symbols,
                              LineBreak& line) {
  int ignored = 0;
  bool forcedBreak = false;
  size_t cut = m_context.drawing.FitText(text, width, textOffset, symbols, ignored, forcedBreak);
  if (cut == 0) return false;
  line.end = line.next = cut;
  if (forcedBreak)
    line.end = cut - 1;
  else if (cut < text.size())
    line.end = line.next = BreakPosition(text, cut, textOffset, symbols);
  return true;
}

bool VodTextLayout::DrawWrappedText(int x, int y, int& fill, std::string_view text, int width, bool draw,
                                    const std::string& frameName, char alignment, const Symbols& symbols) {
  size_t offset = 0;
  while (!text.empty()) {
    LineBreak next;
    if (!BreakLine(text, width, offset, symbols, next)) {
      ReportErrorArg(m_context, 59, frameName);
      return false;
    }
    std::string_view line = text.substr(0, next.end);
    int height = LineHeight(line, offset, symbols);
    if (draw && !DrawAlignedLine(x, x + width, y + fill, line, alignment, offset, symbols, height)) return false;
    fill += height;
    offset += next.next;
    text.remove_prefix(next.next);
  }
  return true;
}

bool VodTextLayout::DrawAlignedLine(int left, int right, int y, std::string_view line, char alignment,
                                    size_t textOffset, const Symbols& symbols, int lineHeight) {
  std::string text;
  Symbols here;
  for (size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '\\') {
      bool pair = at + 1 < line.size() && line[at + 1] == '\\';
      if (pair) text += '\\';
      at += pair;
      continue;
    }
    if (const SymbolRecord* symbol = line[at] == kSymbolMark ? SymbolAt(symbols, textOffset + at) : nullptr) {
      here.push_back(*symbol);
      here.back().position = text.size();
    }
    text += line[at];
  }
  VodDrawing& drawing = m_context.drawing;
  switch (alignment) {
    case 'L': return drawing.DrawTextAt(left, y, text, kAlignLeft, here, lineHeight);
    case 'R': return drawing.DrawTextAt(right, y, text, kAlignRight, here, lineHeight);
    case 'Z': return drawing.DrawTextAt((left + right) / 2, y, text, kAlignCentre, here, lineHeight);
    default: return true;
  }
}

}  // namespace vod
