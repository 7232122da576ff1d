// The layout the add-line and edit-line dialogs share: one edit per column
// (at most twenty) under the column's title, the unused rows hidden and the
// dialog shortened to end as far below the last shown edit as below the
// twentieth.
#pragma once

#include <vector>

#include "mfc/CDialog.h"
#include "orderlist/CProtocolView.h"

class CItemColumnsDlg : public CDialog {
 public:
  static constexpr int kRows = 20;
  // The texts of the columns, in column order.
  std::vector<CString> m_columns;

 protected:
  CItemColumnsDlg(UINT templateId, CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases,
                  int firstEdit, int firstLabel, long caption, CWnd* parent);
  BOOL OnInitDialog() override;
  std::vector<CString> TypedColumns() const;
  // Shows a refusal; true when there was one.
  bool Refused(const LineRefusal& refusal);

  CProtocolApp& m_app;
  CProtocolView& m_view;
  const OrderDatabases& m_databases;
  int m_first_edit;

 private:
  int ShownRows() const;
  void HideRowsFrom(int first);

  int m_first_label;
  long m_caption;
};
