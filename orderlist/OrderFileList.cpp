#include "orderlist/OrderFileList.h"

#include <algorithm>

#include "comctl/CommCtrl.h"
#include "mfc/CTime.h"
#include "win32/Files.h"
#include "win32/Mbstring.h"

namespace {

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
    const CTime written(found.ftLastWriteTime);
    rows.push_back({name, written.Format("%d.%m.%Y %H:%M:%S"), static_cast<int64_t>(written.GetTime())});
  } while (rows.size() < kMostRows && FindNextFile(search, &found));
  FindClose(search);
  std::sort(rows.begin(), rows.end(), [](const OrderFileRow& a, const OrderFileRow& b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(a.name)),
                    reinterpret_cast<const unsigned char*>(static_cast<const char*>(b.name))) < 0;
  });
  return rows;
}

int SelectedRow(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }
