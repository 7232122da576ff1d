// Inline pictures of frame text: an escape "%SYMBOL [TRANS] [LINE]
// [FAKTOR n] TIFF|CAP|CA3|CA4 file%" stands for a small picture drawn in
// the line. Each escape becomes one record and an at sign in the text.
#pragma once

#include <string>
#include <vector>

namespace vod {

class VodContext;

constexpr size_t kMaxSymbols = 20;
constexpr char kSymbolMark = '@';

// Picture kinds of inline pictures (as frames number them).
constexpr int kSymbolRaster = 0;
constexpr int kSymbolCap = 3;
constexpr int kSymbolCa3 = 4;
constexpr int kSymbolCa4 = 5;

struct SymbolRecord {
  size_t position = 0;  // of its at sign in the text
  // Form units; percent of the picture's natural size.
  int width = 0, height = 0, percent = 100;
  bool plain = true;  // neither LINE nor FAKTOR was given
  std::string file;
  int kind = kSymbolRaster;
  int factor = 10;  // tenths
  bool trans = false;
};

using Symbols = std::vector<SymbolRecord>;

// Replaces the escapes of text (at most 20) by at signs and returns their
// records, sized through the picture hook: LINE or FAKTOR fit a picture to
// the line height, FAKTOR scales it in tenths, TRANS makes it take no room.
// A malformed escape stays in the text as written.
Symbols ParseSymbolEscape(VodContext& context, std::string& text, int lineHeight);

// The record whose at sign is at position of the text, or null.
const SymbolRecord* SymbolAt(const Symbols& symbols, size_t position);

}  // namespace vod
