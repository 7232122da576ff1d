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
  // The texts of the text items, joined.
  CString GetText() const;
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
  CRect Inner() const;
  void TrimLineEnds(CDC* dc);
  void FillEmptyLines(CDC* dc, int lines);
  void DrawBorder(CDC* dc, const CRect& rect, Sides strips, Sides threeD);
};
