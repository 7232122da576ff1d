// The button that shows a symbol of a table cell in a frame's view: released
// inside, it follows the symbol's link to a key or runs its command; it
// shows the hand over a link, takes the focus from the frame window when the
// pointer comes over it, and hands its keys to the frame window.
#pragma once

#include "Main/CWV4BMB.h"

class CSymbolBitmaps;
class CSymbolItem;

class CFrameButton : public CWV4BMB {
  DECLARE_DYNAMIC(CFrameButton)

 public:
  static constexpr UINT kControlId = 7777;

  CFrameButton() = default;
  // The pictures belong to the symbol table: they are given back, not deleted.
  ~CFrameButton() override;

  void AttachBitmaps(const CSymbolBitmaps* bitmaps);

  CSymbolItem* m_symbol = nullptr;

 protected:
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);

  DECLARE_MESSAGE_MAP()

 private:
  void DetachBitmaps();
  BOOL HasLink() const;
};
