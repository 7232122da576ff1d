// The results dialog: scans the whole where-used file for the search text
// and lists the hits, a page at a time, until the user picks one. A single
// hit is taken at once; no hit sends the user back to the search.
#pragma once

#include <memory>

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"
#include "mfc/CPoint.h"
#include "mfc/CScrollBar.h"
#include "mfc/CString.h"
#include "whereused/WhereUsedHits.h"

class CWhereUsedApp;

class CWhereUsedResultDlg : public CDialog {
 public:
  CWhereUsedResultDlg(CWhereUsedApp* app, CWnd* parent);

  CString m_key;     // the picked key
  CString m_search;  // the search text, upper-cased unless case-sensitive
  CString m_block;   // the picked block text
  BOOL m_case_sensitive = FALSE;

  int HitCount() const { return m_hit_count; }
  int Selected() const { return m_selected; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnClickList(NMHDR* header, LRESULT* result);
  afx_msg void OnDblClkList(NMHDR* header, LRESULT* result);

  DECLARE_MESSAGE_MAP()

 private:
  void SetUpList();
  // FALSE when the dialog has ended with what the scan found.
  BOOL Scan();
  void ShowHits();
  void Pick(int hit);
  int FirstShownHit() const { return m_paged ? m_scroll.GetScrollPos() : 0; }
  CString FittedText(CDC& dc, int hit) const;

  CWhereUsedApp* m_app;
  WhereUsedHits m_hits;
  int m_per_page = 0;
  int m_hit_count = 0;
  BOOL m_paged = FALSE;
  CListCtrl m_list;
  CScrollBar m_scroll;
  int m_column_width = 0;
  int m_selected = -1;
};
