#include "orderlist/OrderFileList.h"

#include <algorithm>

#include "comctl/CommCtrl.h"
#include "mfc/CTime.h"
#include "win32/Files.h"
#include "win32/Mbstring.h"

namespace {

constexpr long kNameTitle = 52, kDateTitle = 456;
constexpr int kColumnWidth = 100;
// Beyond this the folder is not listed further.
constexpr size_t kMostRows = 10001;

}  // namespace

std::vector<OrderFileRow> ListOrderFiles(const CString& orderDir) {
  std::vector<OrderFileRow> rows;
  WIN32_FIND_DATA found{};
  HANDLE search = FindFirstFile(orderDir + "\\*.pro", &found);
  if (search == INVALID_HANDLE_VALUE) return rows;
  do {
    CString name = found.cFileName;
    const int dot = name.ReverseFind('.');
    if (dot >= 0) name = name.Left(dot);
    rows.push_back({name, CTime(found.ftLastWriteTime).Format("%d.%m.%Y %H:%M:%S")});
  } while (rows.size() < kMostRows && FindNextFile(search, &found));
  FindClose(search);
  std::sort(rows.begin(), rows.end(), [](const OrderFileRow& a, const OrderFileRow& b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(a.name)),
                    reinterpret_cast<const unsigned char*>(static_cast<const char*>(b.name))) < 0;
  });
  return rows;
}

void ShowOrderFiles(CListCtrl& list, const CProtocolApp& app) {
  list.InsertColumn(0, app.GetText(kNameTitle), LVCFMT_LEFT, kColumnWidth);
  list.InsertColumn(1, app.GetText(kDateTitle), LVCFMT_LEFT, kColumnWidth);
  for (const OrderFileRow& row : ListOrderFiles(app.m_order_dir)) {
    const int index = list.InsertItem(list.GetItemCount(), row.name);
    list.SetItemText(index, 1, row.written);
  }
  list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

int SelectedRow(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }
