// What the screen layout asks of the viewer's shell beyond the application
// object: handing parts to the order-list program with the confirmation
// list, the branch choice, and the hint of the status bar. The plain
// services below hand parts to the application object, let the user
// choose a branch in the branch dialog and give hints to the frame window.
#pragma once

#include <vector>

#include "Main/CTableCell.h"
#include "foundation/CDynBuf.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // Sends the order lines of rows rows to the order-list program: code 6 with
  // order set, else 4. More than one row is confirmed first with the header
  // and row texts (each text followed by a 0 byte, cells texts per row); one
  // row goes at once, without the list's closing 0 byte.
  virtual void SendPartsToProtocol(int rows, int cells, const CDynBuf& headers, const CDynBuf& texts,
                                   const CDynBuf& lines, BOOL order);
  // Lets the user choose where to branch (the branch dialog, with the
  // header texts as column titles); FALSE when cancelled.
  virtual BOOL ChooseBranch(const CDynBuf& headers, int headerCount, const std::vector<LinkChoice>& choices,
                            LinkChoice& chosen);
  // The hint of the action under the pointer in the status bar of the
  // active frame window, where pointer actions happen.
  virtual void ShowActionHint(int action, const CString& name, const CString& text);
  // Brings the order-list program's window up (the context menus' entry).
  virtual void ShowOrderList();
};

// The services in place; never null.
ShellServices& Shell();
// Puts services in place (not owned); null restores the plain ones.
void SetShell(ShellServices* services);
