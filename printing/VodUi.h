// What the library asks of its windows: message boxes, the printing dialog's
// items and messages, the owner's notifications and the thread's message
// queue. The windows of the layer serve unless a test installs a recorder.
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

enum class BoxButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class BoxIcon { Error, Warning, Information };
enum class BoxAnswer { Ok, Cancel, Yes, No, Retry };

class VodUi {
 public:
  virtual ~VodUi() = default;
  // A task-modal message box.
  virtual BoxAnswer MessageBox(HWND owner, const std::string& text, const std::string& caption,
                               BoxButtons buttons, BoxIcon icon) = 0;
  virtual void SendDialogMessage(HWND dialog, UINT message, const char* text) = 0;
  virtual void SetDialogItemText(HWND dialog, int item, const std::string& text) = 0;
  // WM_VOD_NOTIFY sent to the owner window (nothing without one).
  virtual void SendOwnerNotify(HWND owner, WPARAM code, const char* text) = 0;
  // WM_VOD_NOTIFY posted to the owner window (nothing without one).
  virtual void PostOwnerNotify(HWND owner, WPARAM code) = 0;
  // Removes and dispatches every waiting message of the thread. False when
  // it met the request to quit, which it posts again for the caller's loop.
  virtual bool DispatchWaitingMessages() = 0;
};

// The windows in force: the layer's unless a recorder was installed.
VodUi& CurrentUi();
// Installs ui (nullptr puts the stand-in back); the caller keeps ownership.
void InstallUi(VodUi* ui);

}  // namespace vod
