// Accelerator tables: from resources or made at run time, and the keys they
// turn into commands.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "user/MenuInternal.h"
#include "win32/Errors.h"
#include "win32/Resources.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr BYTE kKnownFlags = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;

std::mutex tablesMutex;
std::map<UINT_PTR, std::vector<ACCEL>>& Tables() {
  static auto* tables = new std::map<UINT_PTR, std::vector<ACCEL>>;
  return *tables;
}

bool SameKey(const ACCEL& a, const ACCEL& b) {
  return a.key == b.key && (a.fVirt & ~FNOINVERT) == (b.fVirt & ~FNOINVERT);
}

// Keeps the entries a table can use: known flags, a key, and only the first
// of entries for the same key and modifiers (the one a key press finds).
std::vector<ACCEL> Usable(const ACCEL* entries, int count) {
  std::vector<ACCEL> kept;
  for (int i = 0; i < count; ++i) {
    const ACCEL& entry = entries[i];
    if ((entry.fVirt & ~kKnownFlags) || entry.key == 0) continue;
    if (std::any_of(kept.begin(), kept.end(), [&](const ACCEL& other) { return SameKey(other, entry); })) continue;
    kept.push_back(entry);
  }
  return kept;
}

HACCEL AddTable(std::vector<ACCEL> entries) {
  static UINT_PTR next = 0x00400000;
  std::lock_guard<std::mutex> lock(tablesMutex);
  next += 4;
  Tables()[next] = std::move(entries);
  return reinterpret_cast<HACCEL>(next);
}

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool Matches(const ACCEL& entry, const MSG& msg) {
  bool alt = Held(VK_MENU) || msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSCHAR;
  if (entry.fVirt & FVIRTKEY) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return entry.key == (msg.wParam & 0xFFFF) && Held(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) &&
           Held(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) && alt == ((entry.fVirt & FALT) != 0);
  }
  if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  return entry.key == (msg.wParam & 0xFFFF) && alt == ((entry.fVirt & FALT) != 0);
}

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

// The command goes out unless the menu it stands in has it greyed; the
// window hears WM_INITMENU and WM_INITMENUPOPUP first, as when the user
// opens that menu.
void SendCommand(HWND window, WORD command) {
  HWND top = TopLevelOf(window);
  HMENU menu = top ? GetMenu(top) : nullptr;
  layer::menus::Found found;
  if (menu && !IsIconic(top) && layer::menus::FindItem(menu, command, MF_BYCOMMAND, found)) {
    SendMessage(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    if (found.handle != menu) {
      auto bar = layer::menus::MenuOf(menu);
      for (std::size_t i = 0; bar && i < bar->items.size(); ++i)
        if (bar->items[i].IsPopup() && layer::menus::Contains(bar->items[i].popup, found.handle))
          SendMessage(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(bar->items[i].popup), MAKELPARAM(i, FALSE));
    }
    layer::menus::Found again;
    if (layer::menus::FindItem(menu, command, MF_BYCOMMAND, again) && !again.menu->items[again.index].IsEnabled()) return;
  }
  SendMessage(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

}  // namespace

HACCEL CreateAcceleratorTable(LPACCEL entries, int count) {
  if (!entries || count <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return AddTable(Usable(entries, count));
}

HACCEL LoadAccelerators(HINSTANCE module, LPCSTR name) {
  DWORD size = 0;
  const BYTE* bytes = layer::ResourceBytes(module, name, RT_ACCELERATOR, &size);
  std::vector<layer::AcceleratorEntry> read;
  if (!bytes) return nullptr;
  if (!layer::ReadAcceleratorResource(bytes, size, read)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  std::vector<ACCEL> entries;
  for (const layer::AcceleratorEntry& entry : read) entries.push_back(ACCEL{entry.flags, entry.key, entry.command});
  return AddTable(Usable(entries.data(), static_cast<int>(entries.size())));
}

int CopyAcceleratorTable(HACCEL table, LPACCEL entries, int count) {
  std::lock_guard<std::mutex> lock(tablesMutex);
  auto found = Tables().find(reinterpret_cast<UINT_PTR>(table));
  if (found == Tables().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const std::vector<ACCEL>& stored = found->second;
  if (!entries) return static_cast<int>(stored.size());
  int copied = std::min(count, static_cast<int>(stored.size()));
  std::copy_n(stored.begin(), std::max(copied, 0), entries);
  return std::max(copied, 0);
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  std::lock_guard<std::mutex> lock(tablesMutex);
  return Tables().erase(reinterpret_cast<UINT_PTR>(table)) ? TRUE : FALSE;
}

int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg) {
  if (!window || !msg) return 0;
  std::vector<ACCEL> entries;
  {
    std::lock_guard<std::mutex> lock(tablesMutex);
    auto found = Tables().find(reinterpret_cast<UINT_PTR>(table));
    if (found == Tables().end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    entries = found->second;
  }
  for (const ACCEL& entry : entries) {
    if (!Matches(entry, *msg)) continue;
    SendCommand(window, entry.cmd);
    return 1;
  }
  return 0;
}
