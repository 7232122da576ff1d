#include "Main/ShellServices.h"

#include "Main/CWV4Globals.h"
#include "Main/varno4.h"

namespace {

ShellServices& Plain() {
  static ShellServices plain;
  return plain;
}

ShellServices*& Current() {
  static ShellServices* current = &Plain();
  return current;
}

}  // namespace

void ShellServices::SendPartsToProtocol(int rows, int cells, const CDynBuf& headers, const CDynBuf& texts,
                                        const CDynBuf& lines, BOOL order) {
  if (theGlobals.m_papp == nullptr || lines.GetLength() == 0) return;
  CDynBuf data(lines);
  if (rows == 1) {
    data.CutRight(1);
  } else if (!ConfirmParts(rows, cells, headers, texts)) {
    return;
  }
  theGlobals.m_papp->SendProtocolData(order ? 6 : 4, &data);
}

BOOL ShellServices::ChooseBranch(const CDynBuf& /*headers*/, int /*headerCount*/,
                                 const std::vector<LinkChoice>& /*choices*/, LinkChoice& /*chosen*/) {
  return FALSE;
}

ShellServices& Shell() { return *Current(); }

void SetShell(ShellServices* services) { Current() = services != nullptr ? services : &Plain(); }
