// The order view's logic: the order's lines with their adding (a part booked
// twice raises its quantity), pricing, totals, sorting and cell texts, the
// order file with its reader, writer, merging and the conversion of the
// older layout, the text export, and the filling of a line from the
// catalogue's databases. The view's window and its list control come with the
// program itself and show what this holds.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CDynBuf.h"
#include "interfaces/QorDdm.h"
#include "mfc/CFormView.h"
#include "mfc/CString.h"
#include "orderlist/COrderListCtrl.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/OrderItem.h"

// What the view's total lines show.
struct OrderTotals {
  int lineCount = 0;
  int64_t orderTotal = 0;
  int64_t grossTotal = 0;  // with VAT
  bool showTotal = false;
  bool showGross = false;
  CString totalText;  // amount, a blank, the currency name
  CString grossText;
};

// The database fields (section FUELL of the settings) that give a line's
// name and its extra columns' texts; -1 where none is set.
struct FillFields {
  int nameField = -1;
  std::vector<int> dataFields;
};

// The databases a line is completed from; each may be missing.
struct OrderDatabases {
  DdmDatabase* parts = nullptr;
  DdmDatabase* companion = nullptr;
  DdmDatabase* prices = nullptr;
};

// Why an order-line dialog keeps its input: a program text, filled with the
// part key when it names one. No text: the input is taken.
struct LineRefusal {
  long text = 0;
  CString key;
  explicit operator bool() const { return text != 0; }
};

class CProtocolView : public CFormView {
  DECLARE_DYNCREATE(CProtocolView)

 public:
  // The program's view, on the program's application object.
  CProtocolView();
  explicit CProtocolView(CProtocolApp& app);
  ~CProtocolView() override;

  // The form's first showing: titles, totals and the distances its
  // controls keep from the view's edges.
  void OnInitialUpdate() override;
  // Keeps the controls at their distances after the window's size changed.
  void LayoutControls();
  // The labels and column titles in the program language.
  void Relabel();
  // The column titles again (after a change of display currency or
  // language), and the list laid out anew.
  void UpdateColumnTitles();
  const CProtocolApp& App() const { return m_app; }
  COrderListCtrl m_list;
  CProtocolView(const CProtocolView&) = delete;
  CProtocolView& operator=(const CProtocolView&) = delete;

  // The lines in list order; the current one is -1 when there is none.
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  OrderItem& GetItem(int index) { return *m_items[static_cast<size_t>(index)]; }
  const OrderItem& GetItem(int index) const { return *m_items[static_cast<size_t>(index)]; }
  int GetCurrentItem() const { return m_current; }
  void SetCurrentItem(int index) { m_current = index; }

  // Adds a line parsed from an answer block (NUL-ended fields in column
  // order) or copied from an item; exactly one of them. With DoubleInc a
  // part already listed gets the quantities added instead. 1 when a line
  // was added or raised.
  int AddOrderLines(const CDynBuf* block, const OrderItem* item, int totals);
  void DeleteAllItems();
  void PriceItem(OrderItem& item) const;
  void RepriceAll();
  void UpdateTotals();
  const OrderTotals& Totals() const { return m_totals; }
  // The text of a cell; row -1 gives the column's title. 0 outside the list.
  int GetCellText(CString& text, int row, int column) const;
  int ColumnCount() const;
  CString ColumnTitle(int column) const;
  // Sorts by a column, ascending and descending in turn.
  void SortByColumn(int column);

  // Whether the order has changes that are not in its file.
  bool IsModified() const { return m_modified; }
  void SetModifiedFlag(bool modified = true) { m_modified = modified; }

  // The databases one add or edit completes its lines from, open while the
  // object lives; any of them may be missing.
  struct OpenDatabases;

  // Adding, editing and deleting lines as the order-line dialogs do it. A
  // part passes the checks the settings ask for: it is in the parts master
  // or its companion, and its order flag is set. Texts of the dialog's
  // columns come in column order.
  static bool PriceFromText(const CString& text, int decimals, int32_t& price);
  LineRefusal CheckPart(const CString& key, const OrderDatabases& databases) const;
  // The key as the companion database writes it, when the settings ask for it.
  CString FormattedKey(const CString& key, const OrderDatabases& databases) const;
  LineRefusal CheckQuickAdd(const CString& key, const CString& quantity, const OrderDatabases& databases) const;
  void AddPart(const CString& key, const CString& quantity, const OrderDatabases& databases);
  LineRefusal CheckAddLine(const std::vector<CString>& columns, const OrderDatabases& databases) const;
  void AddLineFromColumns(const std::vector<CString>& columns, const OrderDatabases& databases);
  static LineRefusal CheckQuantity(const CString& quantity);
  void SetLineQuantity(int row, const CString& quantity);
  // The line's text in every column, as the edit-line dialog shows them.
  std::vector<CString> LineColumns(int row) const;
  // On a changed key the line is rebuilt for the new part: quantity "1",
  // the other columns empty.
  LineRefusal CheckLineEdit(int row, const std::vector<CString>& columns, const OrderDatabases& databases) const;
  void ApplyLineEdit(int row, std::vector<CString> columns, const OrderDatabases& databases);
  // Asks first; the deleted line's key, empty when nothing was deleted.
  CString DeleteCurrentLine();

  // What an order file says before its lines.
  struct OrderFileHead;
  // The current order's file: order folder, "\", order name, ".pro".
  CString OrderFilePath() const;
  int WriteOrderFile();
  // The order into another file, replacing it when it is there.
  int WriteOrderFileTo(const char* path);
  int ReadOrderFile();
  int MergeOrderFile(const char* path);
  int ConvertOrderFile(const char* path);
  // The order as text; without a path the user chooses the file.
  int ExportText(const char* path);

  // An amount of one of the currencies the euro replaced, as euro cents; 0
  // for any other name (the result is then not written).
  static int ConvertPriceToEuro(const char* currency, int32_t value, int32_t& result);
  // Completes a line from the databases: name, price and groups, extra columns.
  FillFields LoadFillFields() const;
  void FillItem(OrderItem& item, const OrderDatabases& databases, const FillFields& fields) const;

 protected:
  // The file that ExportText writes when it has no path, chosen in the save
  // dialog; false when the user cancels.
  virtual bool ChooseExportFile(CString& path);
  void OnDraw(CDC* dc) override;
  void DoDataExchange(CDataExchange* exchange) override;
  DECLARE_MESSAGE_MAP()

 private:
  bool LoadOrderFile(const char* path, CDynBuf& bytes, OrderFileHead& head, size_t& lines);
  std::unique_ptr<OrderItem> ItemFromBlock(const CDynBuf& block) const;
  bool RaiseQuantity(const OrderItem& item);
  void StoreColumn(OrderItem& item, int column, const CString& text) const;
  void AddFilled(OrderItem& item, const OrderDatabases& databases);
  CString AddQuantities(const CString& first, const CString& second) const;
  int64_t UnitValue(const OrderItem& item, CString& text) const;
  bool CompareForSort(const OrderItem& a, const OrderItem& b, int column) const;
  CDynBuf LineFields(const OrderItem& item, bool withPrices, int extras) const;
  CDynBuf HeaderBlock() const;
  void RestoreAddresses(const CString* fileTexts);
  CString AddressBookOf(int role) const;

  CProtocolApp& m_app;
  std::vector<std::unique_ptr<OrderItem>> m_items;
  int m_current = -1;
  OrderTotals m_totals;
  std::vector<bool> m_sort_descending;
  bool m_modified = false;
  // The distances of the controls from the view's edges, taken at the
  // first showing: the list's from the bottom, the count row's left
  // positions and bottom, the label and value columns' from the right,
  // the total and VAT rows' from the bottom.
  struct Margins {
    int listBottom = 0, countLabelLeft = 0, countValueLeft = 0, countBottom = 0;
    int labelRight = 0, valueRight = 0, totalBottom = 0, grossBottom = 0;
  } m_margins;
  bool m_laid_out = false;

  OrderTotals CountTotals() const;
  // The count and totals, and the list as ShowLines makes it.
  void ShowTotals();
  void ShowTotalTexts();
  void ShowCurrentLine();
  void ShowDeletedLine();
  // The list shows the lines: a line added at the end is appended, any
  // other change of their number fills the list anew; the current line is
  // selected and in sight.
  void ShowLines();
};

// The parts master (the command line's), its companion and the price
// database, each opened and prepared; one that fails counts as missing.
struct CProtocolView::OpenDatabases {
  explicit OpenDatabases(const CProtocolApp& app);
  std::unique_ptr<DdmDatabase> owned[3];
  OrderDatabases databases;
};
