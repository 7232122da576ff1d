// The drawing primitives of the page output: fonts chosen by form font
// names, a pen, lines, grey areas, boxes and text, each taking form units
// (tenths of a millimetre) with the printable offset added and drawing in
// device units on the page's context. Fonts are measured on the output
// context (the device the page is for).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "VodSymbols.h"
#include "win32/Gdi.h"

namespace vod {

class VodContext;

// Alignments of DrawTextAt.
constexpr int kAlignLeft = 0;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;

class VodDrawing {
 public:
  explicit VodDrawing(VodContext& context) : m_context(context) {}
  ~VodDrawing();
  VodDrawing(const VodDrawing&) = delete;
  VodDrawing& operator=(const VodDrawing&) = delete;

  // The output context and the context the page is drawn on (the same one
  // when pages are drawn directly). A new page context has neither font nor
  // pen of ours selected; the next selection makes them again.
  void SetDevice(HDC output, HDC page);
  HDC OutputDC() const { return m_output; }
  HDC PageDC() const { return m_page; }
  // The font's line height and ascent are unknown until the next selection.
  void ResetFontState();
  // Puts the contexts' own objects back and deletes the font and pen.
  void Reset();

  // The printable offset of the device, in form units.
  POINT offset{0, 0};

  // Selects the font a form font name stands for at size points. An empty
  // name, or the font in force, changes nothing.
  bool SelectFrameFont(std::string name, int size);
  // Of the font selected last, in form units.
  int LineHeight() const { return m_lineHeight; }
  int Ascent() const { return m_ascent; }

  void SetPen(int width);
  void DrawLine(int x1, int y1, int x2, int y2);
  void FillGrey(int percent, int x1, int y1, int x2, int y2);
  void DrawBox(int x1, int y1, int x2, int y2, int width);

  // Measured with the selected font, in form units.
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  // How many bytes of text fit into width: characters one by one, inline
  // pictures (positions counted from textOffset) by their width; a picture
  // higher than lineHeight raises it. A "\" before another character ends
  // the line behind it (forcedBreak set); "\\" is one backslash.
  size_t FitText(std::string_view text, int width, size_t textOffset, const Symbols& symbols, int& lineHeight,
                 bool& forcedBreak);
  // Draws one line with its top at y: left-aligned at x, centred on it, or
  // ending at it. Inline pictures (positions in this text) take the place
  // of their at signs and stand on the line's baseline, or on its bottom
  // with SymbolsPrintDown.
  bool DrawTextAt(int x, int y, std::string_view text, int alignment, const Symbols& symbols, int lineHeight);

 private:
  POINT ToDevice(int x, int y) const;
  int WidthToDevice(int width) const;
  // The text as the output draws it: OEM text becomes ANSI text.
  std::string ForOutput(std::string_view text) const;
  // The extent on the output context in device units; a font that cannot
  // measure is replaced by COUR_10 for the attempt.
  SIZE Measure(std::string_view text);
  bool SelectIntoDevice(HFONT font);
  // Puts the contexts' own font and pen back and deletes ours.
  void DropObjects();

  VodContext& m_context;
  HDC m_output = nullptr;
  HDC m_page = nullptr;
  // Fonts made for the output context, by form font name and device height:
  // pages alternate between a few of them.
  struct MadeFont {
    HFONT font;
    int lineHeight, ascent;
  };
  std::map<std::pair<std::string, LONG>, MadeFont> m_fonts;
  std::string m_fontName;
  int m_fontSize = 0;
  int m_lineHeight = 0;
  int m_ascent = 0;
  HPEN m_pen = nullptr;
  int m_penWidth = -1;
};

}  // namespace vod
