// The about box of the order-list program: its texts and the machine's
// memory and memory load.
#pragma once

#include <cstdint>

#include "mfc/CDialog.h"
#include "orderlist/CProtocolApp.h"
#include "win32/Memory.h"

class CProtocolAboutDlg : public CDialog {
 public:
  explicit CProtocolAboutDlg(CProtocolApp& app, CWnd* parent = nullptr);

  // A count of kilobytes with "." between groups of three digits and " KB".
  static CString KilobyteText(uint64_t kilobytes);
  // The share of memory in use in per cent: NT 4 reckons it from the free
  // and the whole memory, other systems give their own figure.
  static int MemoryLoad(int osKind, const MEMORYSTATUS& status);

 protected:
  BOOL OnInitDialog() override;

 private:
  CProtocolApp& m_app;
};
