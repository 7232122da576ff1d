// A splitter window of the class library: a child window divided into rows
// and columns of panes (views, or further splitters), with bars between them
// that the user drags. Static splitters have a fixed number of panes, made
// with CreateView; pane ids run from AFX_IDW_PANE_FIRST, 16 per row.
//
// Layout: inside a border of m_cxBorder / m_cyBorder, columns (and rows)
// take their ideal sizes one after the other, each but the last followed by
// a gap of m_cxSplitterGap; the last takes the rest. A pane that would be
// below its minimum is hidden. Bars are drawn m_cxSplitter wide, shifted by
// m_cxBorderShare into the panes. Programs that draw or lay out their own
// way override the virtual members below.
#pragma once

#include <vector>

#include "mfc/AfxLayout.h"
#include "mfc/CWnd.h"

struct CCreateContext;

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  CSplitterWnd();

  // Hit codes: the bar below row n is vSplitterBar1 + n, the bar right of
  // column n is hSplitterBar1 + n, where they cross splitterIntersection1 + 15 row + column.
  enum HitTestValue {
    noHit = 0,
    vSplitterBox = 1,
    hSplitterBox = 2,
    bothSplitterBox = 3,
    vSplitterBar1 = 101,
    vSplitterBar15 = 115,
    hSplitterBar1 = 201,
    hSplitterBar15 = 215,
    splitterIntersection1 = 401,
    splitterIntersection225 = 625
  };
  enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };

  struct CRowColInfo {
    int nMinSize;    // below this the pane is not shown
    int nIdealSize;  // what the user or the program asked for
    int nCurSize;    // what the layout gave
  };

  // A splitter of rows x columns (1 to 16 each) whose panes the program makes with CreateView.
  virtual BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                            UINT id = AFX_IDW_PANE_FIRST);
  // Makes the pane at row, column as a view of that class, of initial (ideal) size.
  virtual BOOL CreateView(int row, int column, CRuntimeClass* viewClass, SIZE initialSize, CCreateContext* context);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void GetRowInfo(int row, int& current, int& minimum) const;
  void SetRowInfo(int row, int ideal, int minimum);
  void GetColumnInfo(int column, int& current, int& minimum) const;
  void SetColumnInfo(int column, int ideal, int minimum);

  CWnd* GetPane(int row, int column) const;
  int IdFromRowCol(int row, int column) const;
  BOOL IsChildPane(CWnd* window, int* row, int* column);
  // The frame's active view when it is a pane of this splitter, else the pane with the focus.
  virtual CWnd* GetActivePane(int* row = nullptr, int* column = nullptr);
  virtual void SetActivePane(int row, int column, CWnd* window = nullptr);

  // Lays the panes out anew from the ideal sizes and repaints the bars.
  virtual void RecalcLayout();
  // Which part of the splitter a point (client coordinates) is over.
  int HitTest(CPoint point) const;

 protected:
  BOOL CreateCommon(CWnd* parent, SIZE minimumPane, DWORD style, UINT id);
  // The client area less the border (and the room of shared scroll bars).
  virtual void GetInsideRect(CRect& rect) const;
  // The rectangle of a bar for tracking; sets the tracking limits and offset.
  virtual void GetHitRect(int hit, CRect& rect);
  virtual void TrackRowSize(int y, int row);
  virtual void TrackColumnSize(int x, int column);
  // Draws one part; without a device context the part is only invalidated.
  virtual void OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect);
  virtual void OnInvertTracker(const CRect& rect);
  virtual void DrawAllSplitBars(CDC* dc, int cxInside, int cyInside);
  virtual void StartTracking(int hit);
  virtual void StopTracking(BOOL accept);
  void SetSplitCursor(int hit);

  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnCancelMode();

  // Metrics, in pixels.
  int m_cxSplitter, m_cySplitter;        // a bar as drawn
  int m_cxBorderShare, m_cyBorderShare;  // how far a bar reaches into its panes' borders
  int m_cxSplitterGap, m_cySplitterGap;  // the room between two panes
  int m_cxBorder, m_cyBorder;            // around all panes

  int m_nMaxRows = 0, m_nMaxCols = 0;
  int m_nRows = 0, m_nCols = 0;
  BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
  std::vector<CRowColInfo> m_pColInfo;
  std::vector<CRowColInfo> m_pRowInfo;

  // Tracking a bar with the mouse.
  BOOL m_bTracking = FALSE, m_bTracking2 = FALSE;
  CPoint m_ptTrackOffset;
  CRect m_rectLimit;
  CRect m_rectTracker, m_rectTracker2;
  int m_htTrack = noHit;

  DECLARE_MESSAGE_MAP()

 private:
  // Places one pane; panes with a sunken edge reach into the border around them.
  void DeferClientPos(AFX_SIZEPARENTPARAMS* layout, CWnd* pane, int x, int y, int cx, int cy);
  void InvertOverPanes(HWND window, const CRect& rect);
};
