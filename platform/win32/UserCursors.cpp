// Cursors (the system's and a module's own) and the state of the keys and
// mouse buttons as the input left it.
#include <algorithm>
#include <map>
#include <mutex>

#include "win32/Errors.h"
#include "win32/Icons.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

namespace {

// The cursor and the keys are the program's: there is one mouse and one keyboard.
struct PointerState {
  HCURSOR cursor = nullptr;
  int cursorCount = 0;
  POINT cursorPos{};
  SHORT keys[256]{};
  int characters[256]{};
};
PointerState& Input() {
  static PointerState state;
  return state;
}

}  // namespace

namespace {

struct CursorTable {
  std::mutex mutex;
  std::map<UINT_PTR, layer::CursorPicture> cursors;
  std::map<std::pair<HINSTANCE, WORD>, UINT_PTR> byModule;
  UINT_PTR next = 0x00200000;
};
CursorTable& Cursors() {
  static auto* table = new CursorTable;
  return *table;
}

bool IsSystemCursorId(WORD id) {
  static const WORD ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// A system cursor's handle carries its id, so it is the same in every call.
constexpr UINT_PTR kSystemCursorBase = 0x00100000;

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) {
    SetLastError(1814L);  // ERROR_RESOURCE_NAME_NOT_FOUND
    return nullptr;
  }
  WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
  if (!instance) {
    if (!IsSystemCursorId(id)) {
      SetLastError(1814L);
      return nullptr;
    }
    return reinterpret_cast<HCURSOR>(kSystemCursorBase | id);
  }
  CursorTable& table = Cursors();
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    auto found = table.byModule.find({instance, id});
    if (found != table.byModule.end()) return reinterpret_cast<HCURSOR>(found->second);
  }
  // A cursor of the module's resources becomes known on its first load.
  if (HCURSOR cursor = layer::LoadCursorResource(instance, name)) return cursor;
  SetLastError(1814L);
  return nullptr;
}

namespace layer {

void AddModuleCursor(HINSTANCE module, WORD id, const CursorPicture& picture) {
  CursorTable& table = Cursors();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto found = table.byModule.find({module, id});
  UINT_PTR handle = found != table.byModule.end() ? found->second : (table.next += 4);
  table.byModule[{module, id}] = handle;
  table.cursors[handle] = picture;
}

const CursorPicture* CursorOf(HCURSOR cursor) {
  auto value = reinterpret_cast<UINT_PTR>(cursor);
  if ((value & ~static_cast<UINT_PTR>(0xFFFF)) == kSystemCursorBase) {
    static std::map<UINT_PTR, CursorPicture> system;
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    CursorPicture& picture = system[value];
    picture.systemId = MAKEINTRESOURCE(value & 0xFFFF);
    return &picture;
  }
  CursorTable& table = Cursors();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto found = table.cursors.find(value);
  return found == table.cursors.end() ? nullptr : &found->second;
}

void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey < 0 || virtualKey > 255) return;
  SHORT& state = Input().keys[virtualKey];
  bool wasDown = (state & 0x8000) != 0;
  SHORT toggled = static_cast<SHORT>(state & 1);
  if (down && !wasDown) toggled ^= 1;
  state = static_cast<SHORT>((down ? 0x8000 : 0) | toggled);
}

void SetCursorPosition(POINT point) { Input().cursorPos = point; }

void NoteKeyCharacter(int virtualKey, int character) {
  if (virtualKey >= 0 && virtualKey <= 255) Input().characters[virtualKey] = character;
}

int NotedKeyCharacter(int virtualKey) { return virtualKey >= 0 && virtualKey <= 255 ? Input().characters[virtualKey] : 0; }

}  // namespace layer

HCURSOR SetCursor(HCURSOR cursor) {
  PointerState& input = Input();
  HCURSOR old = input.cursor;
  input.cursor = cursor;
  if (old != cursor) {
    if (auto* host = layer::InstalledWindowHost()) host->CursorChanged(input.cursorCount >= 0 ? cursor : nullptr);
  }
  return old;
}

HCURSOR GetCursor() { return Input().cursor; }

int ShowCursor(BOOL show) {
  PointerState& input = Input();
  input.cursorCount += show ? 1 : -1;
  if (auto* host = layer::InstalledWindowHost()) host->CursorChanged(input.cursorCount >= 0 ? input.cursor : nullptr);
  return input.cursorCount;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = Input().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  Input().cursorPos = POINT{x, y};
  return TRUE;
}

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return Input().keys[virtualKey];
}

SHORT GetAsyncKeyState(int virtualKey) {
  return static_cast<SHORT>(GetKeyState(virtualKey) & 0x8000);
}

