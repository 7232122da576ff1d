// A run of text of a cell with one font, colours, link and marks. In the
// cell's line flow it breaks into pieces that fit the rest of the current
// line and the following lines.
#pragma once

#include <memory>
#include <vector>

#include "Main/CCellItem.h"
#include "Main/CFontSpec.h"
#include "Main/CTextLine.h"
#include "Main/TextMeasure.h"

class CTableCell;

// The link and marks that a text takes from its frame's open action and item
// markers.
struct TextLink {
  int kind = 0;  // 1, 5 normal, 2, 6 default; 1, 2 to a key, 5, 6 commands
  CString target;
  int key_mark = 0;
  int tip_mark = 0;
  int order_number = 0;
  int hotspot_part = 0;
  int value = 0;  // index of the link's assignments in the frame
};

class CTextField : public CCellItem {
 public:
  CTextField(CTableCell* box, const CString& text, CFont* font, const CFontSpec& spec, int halign, int valign,
             int wrap, const CString& breakChars, const TextLink& link);

  void Draw(CDC* dc, FrameView* view) override;
  int HitTest(int x, int y, CString& target, CString& text, int& value) override;
  void Flow(CDC* dc, const CRect& content, FlowPosition& at) override;
  void MeasureLine(int line, LineMeasure& measure) override;
  void PlaceLine(int line, CPoint& pos, const LineMeasure& measure) override;
  void AlignVertically(int innerHeight) override;
  BOOL HasTextOn(int line) const override;
  BOOL EndsLineOn(int line) const override;
  void ClearPieces() { m_pieces.clear(); }
  // The size of the start of text in the field's font, and the font's
  // metrics, as dc measures them.
  CSize Measure(CDC* dc, const CString& text, int length);
  const TEXTMETRIC& Metrics(CDC* dc);

  CFontSpec m_spec;
  CString m_break_chars;
  int m_descent = 0;
  int m_halign;  // 1 right, 2 centre, 3 left
  int m_valign;  // 1 bottom, 2 centre, 3 none
  CString m_text;
  CFont* m_font;  // the frame's cached font, not owned
  CTableCell* m_box;
  TextMeasure* m_measure = nullptr;  // the frame's widths of m_font, when it keeps them
  TextLink m_link;
  std::vector<std::unique_ptr<CTextLine>> m_pieces;

 private:
  // The last flow, kept so that a move of the field alone needs no measuring.
  struct FlowCache {
    int laid_out = 0;
    CRect content;
    int start_line = 0;
    int start_x = 0;
    int start_has_items = 0;
    int start_break = 0;
    int end_has_items = 0;
    int end_break = 0;
    int line_span = 0;
    int x_advance = 0;
    int max_advance = 0;  // largest x reached, from the start x
    int clipped = 0;      // a piece is narrower than its text
  };

  BOOL ReuseLastFlow(const CRect& content, FlowPosition& at);
  CString NextPiece(CDC* dc, CString& rest, int available, const FlowPosition& at);
  CString CutAtBreak(CDC* dc, CString& rest, int available);
  int LongestFit(CDC* dc, const CString& text, int width);
  void SetColours(CDC* dc) const;

  FlowCache m_cache;
  TEXTMETRIC m_metrics{};
};
