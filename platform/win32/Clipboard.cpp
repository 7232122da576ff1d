#include "win32/Clipboard.h"

#include <map>
#include <mutex>

#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

struct ClipboardState {
  std::mutex lock;
  bool open = false;
  HWND opener = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> formats;
};

ClipboardState& State() {
  static ClipboardState state;
  return state;
}

void FreeData(UINT format, HANDLE data) {
  if (!data) return;
  if (format == CF_BITMAP || format == CF_PALETTE) {
    DeleteObject(data);
  } else {
    GlobalFree(data);
  }
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.open) return FALSE;
  state.open = true;
  state.opener = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.open) return FALSE;
  state.open = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.open) return FALSE;
  for (auto& [format, data] : state.formats) FreeData(format, data);
  state.formats.clear();
  state.owner = state.opener;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.open) return nullptr;
  auto found = state.formats.find(format);
  if (found != state.formats.end() && found->second != data) FreeData(format, found->second);
  state.formats[format] = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.open) return nullptr;
  auto found = state.formats.find(format);
  return found == state.formats.end() ? nullptr : found->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.formats.count(format) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<int>(state.formats.size());
}

HWND GetClipboardOwner() {
  ClipboardState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.owner;
}
