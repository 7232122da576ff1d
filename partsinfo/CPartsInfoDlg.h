// The parts-info window: a modal dialog that lists parts in the order
// list's columns and shows, for the selected part, its prices, VAT rate,
// discount group, note, history and service programs; the user orders the
// selected part with a quantity from here.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"
#include "mfc/CRect.h"
#include "partsinfo/CPartsInfoButton.h"
#include "partsinfo/PartsInfoRow.h"
#include "partsinfo/res/resource.h"

class CDC;
class CPartsInfoApp;


// A column text cut from its end until it fits width, with ".." behind it
// when anything was cut.
CString FitColumnText(CDC& dc, const CString& text, int width);

class CPartsInfoDlg : public CDialog {
 public:
  CPartsInfoDlg(CPartsInfoApp* app, const char* data, int length, CWnd* parent = nullptr);
  ~CPartsInfoDlg() override;

  // The application object's hand-over of further rows (under its lock):
  // they take the place of the rows shown, the first is selected.
  void ReplaceRows(std::vector<PartsInfoRow> rows);
  // Shows what is known of the selected row.
  void Refresh();

  int RowCount() const { return static_cast<int>(m_rows.size()); }
  const PartsInfoRow& Row(int index) const { return *m_rows[static_cast<size_t>(index)]; }
  // The selected row, or -1 unless exactly one is selected.
  int SelectedRow() const;
  void SelectRow(int index);

  CRect m_rect{-1, -1, -1, -1};  // the start position (left, top); the last rectangle once closed
  bool m_order_allowed = true;
  bool m_checks_decided = false;
  int m_history_marks = 0;
  bool m_has_note = false;
  bool m_note_bitmaps = false;
  std::array<CString, 4> m_service_paths;
  std::array<bool, 4> m_service_bitmaps{};
  CString m_header;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnListClick(NMHDR* header, LRESULT* result);
  afx_msg void OnListItemChanged(NMHDR* header, LRESULT* result);
  afx_msg void OnNote();
  afx_msg void OnEarlierPart();
  afx_msg void OnLaterPart();
  afx_msg void OnAssembly();
  afx_msg void OnService1();
  afx_msg void OnService2();
  afx_msg void OnService3();
  afx_msg void OnService4();
  DECLARE_MESSAGE_MAP()

 private:
  void PlaceOnScreen();
  void SetTexts();
  void AddColumns();
  void AddRow(std::unique_ptr<PartsInfoRow> row);
  void WidenColumn(int column, const CString& text);
  void LoadButtons();
  void LayOutButtons();
  void ShowNoteState(bool hasNote);
  void ShowHistory(const PartsInfoRow& row);
  void ShowPrices(PartsInfoRow& row);
  void ShowServices(const PartsInfoRow& row);
  void DecideOrder(const PartsInfoRow& row);
  void ShowHistoryParts(int kind, int headerText);
  void StartService(int service);
  void FreeRows();
  void KeepRectangle();
  void ShowItem(int id, bool show);
  void SetItemText(int id, const CString& text);
  CString ColumnText(const PartsInfoRow& row, int column) const;
  // The block the window was created with.
  const char* m_data;
  int m_length;
  CPartsInfoApp* m_app;
  std::vector<std::unique_ptr<PartsInfoRow>> m_rows;
  CListCtrl m_list;
  CPartsInfoButton m_note, m_earlier, m_later, m_assembly;
  std::array<CPartsInfoButton, 4> m_services;
};
