// A box of cell items: a cell of a table row, or a free cell of a frame. It
// lays its texts and symbols out in lines, draws them with its background
// and border, answers link hit tests and gives its texts for sorting,
// searching and printing.
#pragma once

#include <memory>
#include <vector>

#include "Main/BorderDraw.h"
#include "Main/CCellItem.h"
#include "Main/CTextField.h"
#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"

class CFrame;
class CSymbolBitmaps;

// A link of a cell's text as a choice of where to branch: the cell gives the
// first four fields; the table the others.
struct LinkChoice {
  CString target;
  CString text;
  int kind = 0;
  int value = 0;
  int state = 0;
  int row = -1;
  int column = -1;
  CDynBuf texts;  // the texts of the choice's row, each ended by a zero byte, as the branch list shows them

  // A default link (kinds 2 and 6) is the one its row stands for.
  BOOL IsDefault() const { return kind == 2 || kind == 6; }
};

// The borders and background a table gives a cell.
struct CellLook {
  Sides margins;
  Sides strips;
  Sides three_d;
  COLORREF strip_colour = 0;
  COLORREF bkcolor = 0;
  int bkmode = 1;
};

class CTableCell : public CObject {
 public:
  CTableCell();
  CTableCell(const CellLook& look, CFrame* frame);
  ~CTableCell() override;

  CTextField* AddText(const CString& text, CFont* font, const CFontSpec& spec, int halign, int valign, int wrap,
                      const CString& breakChars, const TextLink& link);
  void AddSymbol(const CString& name, CSymbolBitmaps* bitmaps, const CFontSpec& spec, int halign, int valign,
                 int wrap, int linkKind, const CString& linkText, const CDynBuf* assignments);
  void MarkLineEnd();
  void MarkBreakChance();

  // Lays the items out in the box (left and right of rect, top at rect's
  // bottom) and returns the box's bottom, which rect's bottom takes too.
  int Layout(CDC* dc, CRect& rect, int* neededRight = nullptr);
  void AlignItems();
  void Draw(CDC* dc, FrameView* view);
  void DrawBandBelow(CDC* dc, int xOffset, int y, int height, int threeD);
  void DrawBandAbove(CDC* dc, int xOffset, int y, int height, int threeD);
  int HitTest(int x, int y, CString& target, CString& text, int& value);
  BOOL PtInInner(int x, int y) const;
  BOOL IsLineEmpty(int line) const;
  // Queries over the text items, in order.
  CString GetText() const;  // all texts, joined
  BOOL GetKeyText(CString& text) const;
  BOOL HasKeyMark() const;
  BOOL HasLink() const;
  BOOL HasHotspotNamePart() const;
  BOOL GetHotspotName(CString& name) const;
  // The hotspot name equals text (with regard to case when hotspot names are).
  BOOL MatchesText(const char* text) const;
  CString GetToolTipText() const;
  int MaxOrderNumber() const;
  // Some text has order number v; for v 0, some text has the key mark.
  BOOL FindByOrderNumber(int v) const;
  // The first text linked to a key (isCommand 0) or to a command (1); the
  // first default link only.
  BOOL GetFirstLink(CString& target, CString& text, int& value, int& isCommand) const;
  BOOL GetFirstDefaultLink(CString& target, CString& text, int& value, int& isCommand) const;
  // Appends the cell's links; normal links count in countA, default ones in
  // countB.
  void CollectLinks(std::vector<LinkChoice>& list, LinkChoice& first, int& countA, int& countB) const;
  // How often the link target changes along the texts, for normal and for
  // default links, with the last target of each.
  void CountLinkChanges(int& changesA, int& changesB, CString& lastA, CString& lastB) const;
  void HideSymbols();
  void GetVodText(CString& out) const;

  int ItemCount() const { return static_cast<int>(m_items.size()); }

  std::vector<std::unique_ptr<CCellItem>> m_items;
  Sides m_margins;
  Sides m_strips;
  Sides m_three_d;
  COLORREF m_strip_colour;
  COLORREF m_bkcolor;
  int m_bkmode = 1;
  int m_further = 0;
  CFrame* m_frame = nullptr;  // not owned
  CRect m_rect;
  int m_selected = 0;

 private:
  template <typename Visit>
  void ForEachText(Visit visit) const;
  CRect Inner() const;
  void TrimLineEnds(CDC* dc);
  void FillEmptyLines(CDC* dc, int lines);
  void DrawBorder(CDC* dc, const CRect& rect, Sides strips, Sides threeD);
};
