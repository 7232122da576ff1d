// The order view's list: one line per order line, its cells the view's cell
// texts, a click on a column title sorts by that column.
#pragma once

#include "orderlist/CMultiLineLiCtrl.h"

class CProtocolView;

class COrderListCtrl : public CMultiLineLiCtrl {
 public:
  COrderListCtrl() = default;

  // Until the list is bound to its view every cell is empty.
  void Bind(CProtocolView* view) { m_view = view; }
  // The view's columns with their titles; quantity, price and line total
  // right-aligned.
  void SetupColumns();
  // The titles again, after a change of currency or language.
  void UpdateColumnTitles();
  // The list without one line: the lines after it move up and show the
  // view's lines of their new places; only they are drawn again.
  void RemoveRow(int row);

 protected:
  bool CellText(DWORD data, int column, int line, CString& text) const override;
  void OnColumnClicked(int column) override;
  void OnFocusChanged(int record, int old) override;

 private:
  CProtocolView* m_view = nullptr;
};
