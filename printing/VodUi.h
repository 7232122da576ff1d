// What the library asks of its windows: message boxes, the printing dialog's
// items and messages, the owner's notifications and the thread's message
// queue. The printing dialog and the boxes come with the library's windows;
// until they are installed, and in tests, this seam stands in for them.
#pragma once

#include <string>

#include "win32/Types.h"

namespace vod {

// Messages of the printing dialog.
constexpr UINT kErrorTextMessage = 1025;   // WM_USER + 1
constexpr UINT kLastErrorMessage = 1026;   // WM_USER + 2
constexpr UINT kStatusTextMessage = 1029;  // WM_USER + 5

// Items of the printing dialog.
constexpr int kFileItem = 1000;
constexpr int kLineItem = 1001;
constexpr int kPageItem = 1017;

enum class BoxButtons { Ok, OkCancel };
enum class BoxIcon { Error, Warning, Information };
enum class BoxAnswer { Ok, Cancel };

class VodUi {
 public:
  virtual ~VodUi() = default;
  // A task-modal message box.
  virtual BoxAnswer MessageBox(HWND owner, const std::string& text, const std::string& caption,
                               BoxButtons buttons, BoxIcon icon) = 0;
  virtual void SendDialogMessage(HWND dialog, UINT message, const char* text) = 0;
  virtual void SetDialogItemText(HWND dialog, int item, const std::string& text) = 0;
  // WM_VOD_NOTIFY to the owner window.
  virtual void SendOwnerNotify(HWND owner, WPARAM code, const char* text) = 0;
  // Removes and dispatches every waiting message of the thread.
  virtual void DispatchWaitingMessages() = 0;
};

// The windows in force; a headless stand-in unless one was installed: it
// answers every box with Cancel (never "go on") and shows nothing.
VodUi& CurrentUi();
// Installs ui (nullptr puts the stand-in back); the caller keeps ownership.
void InstallUi(VodUi* ui);

}  // namespace vod
