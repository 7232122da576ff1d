#include "VodUi.h"

#include "interfaces/QorVod32.h"
#include "user/Dialogs.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"

namespace vod {
namespace {

UINT BoxType(BoxButtons buttons, BoxIcon icon) {
  UINT type = MB_TASKMODAL;
  switch (buttons) {
    case BoxButtons::Ok: type |= MB_OK; break;
    case BoxButtons::OkCancel: type |= MB_OKCANCEL; break;
    case BoxButtons::YesNo: type |= MB_YESNO; break;
    case BoxButtons::RetryCancel: type |= MB_RETRYCANCEL; break;
  }
  switch (icon) {
    case BoxIcon::Error: type |= MB_ICONERROR; break;
    case BoxIcon::Warning: type |= MB_ICONWARNING; break;
    case BoxIcon::Information: type |= MB_ICONINFORMATION; break;
  }
  return type;
}

BoxAnswer AnswerOf(int button) {
  switch (button) {
    case IDOK: return BoxAnswer::Ok;
    case IDYES: return BoxAnswer::Yes;
    case IDNO: return BoxAnswer::No;
    case IDRETRY: return BoxAnswer::Retry;
    default: return BoxAnswer::Cancel;
  }
}

class WindowsUi : public VodUi {
 public:
  BoxAnswer MessageBox(HWND owner, const std::string& text, const std::string& caption, BoxButtons buttons,
                       BoxIcon icon) override {
    return AnswerOf(::MessageBox(owner, text.c_str(), caption.c_str(), BoxType(buttons, icon)));
  }
  void SendDialogMessage(HWND dialog, UINT message, const char* text) override {
    SendMessage(dialog, message, 0, reinterpret_cast<LPARAM>(text));
  }
  void SetDialogItemText(HWND dialog, int item, const std::string& text) override {
    SetDlgItemText(dialog, item, text.c_str());
  }
  void SendOwnerNotify(HWND owner, WPARAM code, const char* text) override {
    if (owner) SendMessage(owner, WM_VOD_NOTIFY, code, reinterpret_cast<LPARAM>(text));
  }
  void PostOwnerNotify(HWND owner, WPARAM code) override {
    if (owner) PostMessage(owner, WM_VOD_NOTIFY, code, 0);
  }
  bool DispatchWaitingMessages() override {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    return true;
  }
};

WindowsUi g_windows;
VodUi* g_installed = nullptr;

}  // namespace

VodUi& CurrentUi() { return g_installed ? *g_installed : g_windows; }
void InstallUi(VodUi* ui) { g_installed = ui; }

}  // namespace vod
