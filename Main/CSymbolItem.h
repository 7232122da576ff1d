// A symbol of a cell: the picture of an entry of the face's symbol table,
// flowing with the texts around it, carrying a link to a key or a command.
#pragma once

#include "Main/CCellItem.h"
#include "Main/CFontSpec.h"
#include "Main/BorderDraw.h"
#include "foundation/CDynBuf.h"

#include <memory>

class CFrameButton;
class CWnd;
class CSymbolBitmaps;
class CTableCell;

class CSymbolItem : public CCellItem {
 public:
  // bitmaps may be null (a name that the symbol table lacks); the symbol then
  // takes no room.
  CSymbolItem(CTableCell* box, const CString& name, CSymbolBitmaps* bitmaps, const CFontSpec& spec, int halign,
              int valign, int wrap, int linkKind, const CString& linkText, const CDynBuf* assignments);
  ~CSymbolItem() override;

  void Draw(CDC* dc, FrameView* view) override;
  void Flow(CDC* dc, const CRect& content, FlowPosition& at) override;
  void MeasureLine(int line, LineMeasure& measure) override;
  void PlaceLine(int line, CPoint& pos, const LineMeasure& measure) override;
  void AlignVertically(int innerHeight) override;
  BOOL HasTextOn(int /*line*/) const override { return FALSE; }
  BOOL EndsLineOn(int /*line*/) const override { return FALSE; }
  // Hides the button, when it has one.
  void HideButton();
  // The name of the symbol's bitmap files.
  CString FileStem() const;
  // The symbol's height in tenths of a line of its font.
  int ScaleFactor() const;

  int m_link_kind;  // 3 link to a key, 4 command
  CString m_link_text;
  CTableCell* m_box;
  const CDynBuf* m_assignments;  // the frame's, not owned
  int m_width = 0;
  int m_height = 0;
  int m_line = 0;
  std::unique_ptr<CFrameButton> m_button;
  CSymbolBitmaps* m_bitmaps;  // the face's, not owned
  int m_halign;
  int m_valign;
  CRect m_rect;
  Sides m_margins;
  int m_make_button = 1;
  int m_further = 0;
  CFontSpec m_spec;
  CString m_name;

 private:
  // Makes the button anew in view's window; FALSE when it cannot be made.
  BOOL MakeButton(CWnd* parent);
  // Views without a window (a canvas) get the normal picture painted in place.
  void PaintPicture(CDC* dc);
};
