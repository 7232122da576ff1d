#include "win32/ThreadLocal.h"

#include <array>
#include <mutex>

#include "win32/Errors.h"

namespace {

constexpr DWORD kSlots = 1088;  // as many as the platform guarantees

// A slot that was freed and handed out again must not show a value that a
// thread stored under its earlier owner: every allocation gets a new
// generation, and a value counts only under the generation it was stored in.
struct SlotTable {
  std::mutex mutex;
  std::array<bool, kSlots> used{};
  std::array<unsigned, kSlots> generation{};
};

SlotTable& Table() {
  static SlotTable table;
  return table;
}

struct ThreadValue {
  unsigned generation = 0;
  LPVOID value = nullptr;
};

thread_local std::array<ThreadValue, kSlots> t_values{};

bool InUse(DWORD index, unsigned* generation) {
  if (index >= kSlots) return false;
  SlotTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  *generation = table.generation[index];
  return table.used[index];
}

}  // namespace

DWORD TlsAlloc() {
  SlotTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  for (DWORD index = 0; index < kSlots; ++index) {
    if (!table.used[index]) {
      table.used[index] = true;
      ++table.generation[index];
      return index;
    }
  }
  SetLastError(ERROR_NO_MORE_ITEMS);
  return TLS_OUT_OF_INDEXES;
}

BOOL TlsFree(DWORD index) {
  SlotTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (index >= kSlots || !table.used[index]) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  table.used[index] = false;
  return TRUE;
}

LPVOID TlsGetValue(DWORD index) {
  unsigned generation = 0;
  if (!InUse(index, &generation)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  const ThreadValue& slot = t_values[index];
  return slot.generation == generation ? slot.value : nullptr;
}

BOOL TlsSetValue(DWORD index, LPVOID value) {
  unsigned generation = 0;
  if (!InUse(index, &generation)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  t_values[index] = ThreadValue{generation, value};
  return TRUE;
}
