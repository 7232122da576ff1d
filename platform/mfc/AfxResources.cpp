// Which module's resources the class library uses.
#include <algorithm>

#include "mfc/CWinApp.h"
#include "win32/Module.h"
#include "win32/Resources.h"

namespace {
HINSTANCE resourceModule = nullptr;
}  // namespace

HINSTANCE AfxGetResourceHandle() { return resourceModule ? resourceModule : GetModuleHandle(nullptr); }

void AfxSetResourceHandle(HINSTANCE module) { resourceModule = module; }

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
  std::vector<HMODULE> holders = layer::ModulesWithResource(name, type);
  for (HINSTANCE preferred : {AfxGetResourceHandle(), GetModuleHandle(nullptr)})
    if (std::find(holders.begin(), holders.end(), preferred) != holders.end()) return preferred;
  return holders.empty() ? AfxGetResourceHandle() : holders.front();
}
