// The clipboard: formats with their data, opened by one caller at a time.
// The data handed to SetClipboardData belongs to the clipboard from then on
// and is freed when it is replaced or emptied. With a screen backend the
// clipboard is the desktop's: what a program puts there is offered to the
// other programs of the desktop when the clipboard is closed, and what they
// put there can be taken (text as CF_TEXT and CF_OEMTEXT, pictures as CF_DIB
// and CF_BITMAP).
#pragma once

#include <map>
#include <vector>

#include "win32/GdiTypes.h"

#ifndef CF_OEMTEXT
#define CF_OEMTEXT 7
#endif

// FALSE while the clipboard is open already.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees every format's data; only while open.
BOOL EmptyClipboard();
// Global memory, or a bitmap or palette handle for CF_BITMAP and CF_PALETTE;
// null (and the data left to the caller) when the clipboard is not open.
HANDLE SetClipboardData(UINT format, HANDLE data);
// Only while open; null when the format is not there.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();

namespace layer {

// The desktop's clipboard as a screen backend offers it. Formats are the
// platform's numbers; data are the bytes of a format (CF_DIB: the packed
// bitmap; CF_TEXT: Windows-1252 text with its closing NUL).
class ClipboardBackend {
 public:
  virtual ~ClipboardBackend() = default;
  // Offers the formats to the desktop's programs; false when it cannot.
  virtual bool Publish(const std::map<UINT, std::vector<BYTE>>& formats) = 0;
  // Whether what the desktop's clipboard holds is what this program published last.
  virtual bool HoldsOwnData() = 0;
  // The formats the desktop's clipboard can give (those of another program).
  virtual std::vector<UINT> Formats() = 0;
  virtual bool Fetch(UINT format, std::vector<BYTE>& data) = 0;
};

// Installs the backend (null: the clipboard stays inside the program).
void InstallClipboardBackend(ClipboardBackend* backend);

}  // namespace layer
