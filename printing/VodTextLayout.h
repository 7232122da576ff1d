// Text laid into the width of a frame: word wrapping, forced line breaks
// ("\"; "\\" is one backslash) and the frame's alignment, in the font
// selected last.
#pragma once

#include <string>
#include <string_view>

#include "VodSymbols.h"

namespace vod {

class VodContext;

// One line of a text laid into a width: the line is the text up to end,
// the rest begins at next (behind a dropped "\" of a forced break).
struct LineBreak {
  size_t end = 0;
  size_t next = 0;
};

class VodTextLayout {
 public:
  explicit VodTextLayout(VodContext& context) : m_context(context) {}

  // Lays text into width with its first line's top at y + fill; each line
  // advances fill by its height. Draws only when draw is set, so that the
  // same call measures. Text 59 with the frame's name when not even one
  // character fits.
  bool DrawWrappedText(int x, int y, int& fill, std::string_view text, int width, bool draw,
                       const std::string& frameName, char alignment, const Symbols& symbols);
  // Where the first line of text ends in width: behind a blank or
  // punctuation, or before an opening parenthesis, never at an inline
  // picture; at the last character that fits without such a place. False
  // when not even one character fits.
  bool BreakLine(std::string_view text, int width, size_t textOffset, const Symbols& symbols, LineBreak& line);
  // One line between two edges: 'L' from the left, 'R' ending at the right,
  // 'Z' centred; any other alignment draws nothing. textOffset is where the
  // line starts in the text the symbols count in.
  bool DrawAlignedLine(int left, int right, int y, std::string_view line, char alignment, size_t textOffset,
                       const Symbols& symbols, int lineHeight);

 private:
  // The height of a line: the font's, or that of a higher inline picture.
  int LineHeight(std::string_view line, size_t textOffset, const Symbols& symbols) const;

  VodContext& m_context;
};

}  // namespace vod
