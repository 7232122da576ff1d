#include "VodUi.h"

namespace vod {
namespace {

class HeadlessUi : public VodUi {
 public:
  BoxAnswer MessageBox(HWND, const std::string&, const std::string&, BoxButtons, BoxIcon) override {
    return BoxAnswer::Cancel;
  }
  void SendDialogMessage(HWND, UINT, const char*) override {}
  void SetDialogItemText(HWND, int, const std::string&) override {}
  void SendOwnerNotify(HWND, WPARAM, const char*) override {}
  void DispatchWaitingMessages() override {}
};

HeadlessUi g_headless;
VodUi* g_installed = nullptr;

}  // namespace

VodUi& CurrentUi() { return g_installed ? *g_installed : g_headless; }
void InstallUi(VodUi* ui) { g_installed = ui; }

}  // namespace vod
