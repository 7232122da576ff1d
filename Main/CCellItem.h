// An item of a table cell: a word-wrapped text or a symbol. The cell lets
// its items flow from left to right into lines, like words in a paragraph.
#pragma once

#include "mfc/CDC.h"
#include "mfc/CObject.h"
#include "mfc/CPoint.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class FrameView;

enum CellItemKind { ITEM_TEXT = 1, ITEM_SYMBOL = 2 };

// End modes: the line ends after the item, or it may break there.
enum ItemEndMode { END_NONE = 0, END_LINE = 1, END_BREAK_CHANCE = 2 };

// Wrap modes (the table's text kind): 3 keeps an item whole, 2 cuts texts by
// characters; any other value cuts texts at their break characters.
enum ItemWrapMode { WRAP_BY_CHARACTERS = 2, WRAP_KEEP_WHOLE = 3 };

// Link hit bits.
enum LinkBits { LINK_TO_KEY = 1, LINK_KEY_MARK = 2, LINK_COMMAND = 8 };

// Where the running line flow of a cell stands.
struct FlowPosition {
  int x = 0;
  int has_items = 0;     // the current line holds something
  int break_chance = 0;  // the item before ended with a break chance
  int line = 0;
  int max_x = 0;  // the largest x reached so far
};

// What the items of one line need: its width, its text and symbol heights,
// the largest descent and the alignments of the text that starts it.
struct LineMeasure {
  int width = 0;
  int text_height = 0;
  int symbol_height = 0;
  int halign = 3;
  int valign = 3;
  int descent = 0;
};

class CCellItem : public CObject {
 public:
  CCellItem(int kind, int wrap) : m_kind(kind), m_wrap(wrap) {}

  virtual void Draw(CDC* dc, FrameView* view) = 0;
  // The link bits at (x, y) with the link's target, text and value.
  virtual int HitTest(int /*x*/, int /*y*/, CString& /*target*/, CString& /*text*/, int& /*value*/) { return 0; }
  // Places the item (or its pieces) into the running flow of content.
  virtual void Flow(CDC* dc, const CRect& content, FlowPosition& at) = 0;
  virtual void MeasureLine(int line, LineMeasure& measure) = 0;
  // Puts the item's pieces on line at pos and moves pos.x on.
  virtual void PlaceLine(int line, CPoint& pos, const LineMeasure& measure) = 0;
  virtual void AlignVertically(int innerHeight) = 0;
  // Whether the item has a piece with text on line, and whether it ends a line there.
  virtual BOOL HasTextOn(int line) const = 0;
  virtual BOOL EndsLineOn(int line) const = 0;

  int m_kind;
  int m_wrap;
  int m_end = END_NONE;
};
