// The texts drawn on a surface and where they stand, as a person would read
// them off its pixels: kept for the tools that look at a running program from
// outside. A text goes when something is drawn over its middle; copies of
// pixels carry the texts in them along.
#pragma once

#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer {

struct DrawnText {
  RECT place{};      // the visible part of the text's cell, in the surface's pixels
  std::string text;  // Windows-1252
};

class DrawnTexts {
 public:
  void Note(const RECT& place, std::string text);
  // Something opaque was drawn over an area.
  void Cover(const RECT& area);
  // Pixels of a source area were copied to a destination area (scaled to it).
  void Copy(const DrawnTexts& from, const RECT& source, const RECT& destination);
  // Only what lies inside a surface of this size stays.
  void Clip(int width, int height);
  const std::vector<DrawnText>& All() const { return m_texts; }

 private:
  std::vector<DrawnText> m_texts;
};

}  // namespace layer
