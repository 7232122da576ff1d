#include "ipc/WindowRegistry.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <span>

#include "ipc/MessageChannel.h"
#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/ProcessTable.h"

namespace layer::ipc {

namespace {
constexpr std::uint32_t kMagic = 0x56344957;  // "WI4V"
constexpr std::uint32_t kVersion = 2;
constexpr size_t kSlots = 1024;

template <size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  size_t length = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, N - length);
}

// Class names and titles match without regard to case, as the platform's search does.
template <size_t N>
bool SameText(const char (&field)[N], const char* wanted) {
  for (size_t i = 0; i < N; ++i) {
    if (layer::Cp1252ToLower(static_cast<unsigned char>(field[i])) !=
        layer::Cp1252ToLower(static_cast<unsigned char>(wanted[i])))
      return false;
    if (field[i] == '\0') return true;
  }
  return false;
}

template <size_t N>
bool Terminated(const char (&field)[N]) {
  return std::memchr(field, '\0', N) != nullptr;
}
}  // namespace

struct WindowRegistry::Slot {
  std::uint32_t handle;
  std::uint32_t processId;
  std::uint32_t threadId;
  std::uint32_t parent;
  std::uint32_t flags;
  std::int32_t userData;
  std::uint32_t order;
  std::uint32_t reserved;
  std::uint64_t processStart;
  char className[128];
  char title[256];
};

struct WindowRegistry::Table {
  std::uint32_t magic;
  std::uint32_t version;
  std::uint32_t slotCount;
  std::uint32_t nextOrder;
  std::uint32_t slotsInUse;  // no slot at or past this index has been used
  std::uint32_t reserved;
  Slot slots[kSlots];
};

std::uint64_t ProcessStartOf(DWORD processId) {
  if (processId == 0 || (kill(static_cast<pid_t>(processId), 0) != 0 && errno != EPERM)) return 0;
  std::string text = layer::ReadProcessFile("/proc/" + std::to_string(processId) + "/stat");
  size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  // After the name: the state is field 3, the start time field 22.
  size_t pos = close + 1;
  for (int field = 3; field < 22 && pos != std::string::npos; ++field) pos = text.find(' ', pos + 1);
  if (pos == std::string::npos) return 0;
  if (text.compare(close + 2, 1, "Z") == 0) return 0;  // ended, not yet collected
  return std::strtoull(text.c_str() + pos + 1, nullptr, 10);
}

// Holds the table locked for one operation and knows which slots are live.
class WindowRegistry::Access {
 public:
  Access(WindowRegistry& registry, bool writing) : m_registry(registry), m_lock(registry.m_mutex) {
    if (m_registry.m_fd >= 0) flock(m_registry.m_fd, writing ? LOCK_EX : LOCK_SH);
    Table* table = m_registry.m_table;
    m_valid = table && table->magic == kMagic && table->version == kVersion && table->slotCount == kSlots &&
              table->slotsInUse <= kSlots;
    if (!m_valid && writing && table) {  // a table that is new or damaged starts again empty
      std::memset(table, 0, sizeof *table);
      table->magic = kMagic;
      table->version = kVersion;
      table->slotCount = kSlots;
      m_valid = true;
    }
  }
  ~Access() {
    if (m_registry.m_fd >= 0) flock(m_registry.m_fd, LOCK_UN);
  }
  Access(const Access&) = delete;
  Access& operator=(const Access&) = delete;

  bool Valid() const { return m_valid; }
  Table& table() { return *m_registry.m_table; }

  bool Live(const Slot& slot) {
    if (slot.handle == 0 || slot.processId == 0 || !Terminated(slot.className) || !Terminated(slot.title))
      return false;
    auto known = m_starts.find(slot.processId);
    if (known == m_starts.end()) known = m_starts.emplace(slot.processId, ProcessStartOf(slot.processId)).first;
    return known->second != 0 && known->second == slot.processStart;
  }
  std::span<Slot> Used() { return std::span<Slot>(table().slots, table().slotsInUse); }
  Slot* Find(DWORD handle) {
    for (Slot& slot : Used())
      if (slot.handle == handle && Live(slot)) return &slot;
    return nullptr;
  }
  // The live slots, the topmost first.
  std::vector<Slot*> Ordered() {
    std::vector<Slot*> live;
    for (Slot& slot : Used())
      if (Live(slot)) live.push_back(&slot);
    std::sort(live.begin(), live.end(), [](const Slot* a, const Slot* b) { return a->order > b->order; });
    return live;
  }

 private:
  WindowRegistry& m_registry;
  std::lock_guard<std::mutex> m_lock;
  bool m_valid = false;
  std::map<std::uint32_t, std::uint64_t> m_starts;
};

WindowRegistry& WindowRegistry::OfUser() {
  static WindowRegistry* registry = [] {
    static const std::string name = "/varno4-" + std::to_string(getuid()) + "-windows" + SpaceSuffix();
    if (OwnsSpace()) std::atexit([] { shm_unlink(name.c_str()); });
    return new WindowRegistry(name);  // lives as long as the process
  }();
  return *registry;
}

WindowRegistry::WindowRegistry(const std::string& objectName) {
  m_fd = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_fd < 0) return;
  struct stat st;
  if (fstat(m_fd, &st) != 0 || (static_cast<size_t>(st.st_size) < sizeof(Table) && ftruncate(m_fd, sizeof(Table)) != 0))
    return;
  void* map = mmap(nullptr, sizeof(Table), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
  if (map != MAP_FAILED) m_table = static_cast<Table*>(map);
}

WindowRegistry::~WindowRegistry() {
  if (m_table) munmap(m_table, sizeof(Table));
  if (m_fd >= 0) close(m_fd);
}

WindowEntry WindowRegistry::EntryOf(const Slot& slot) {
  WindowEntry entry;
  entry.handle = slot.handle;
  entry.processId = slot.processId;
  entry.threadId = slot.threadId;
  entry.parent = slot.parent;
  entry.flags = slot.flags;
  entry.userData = slot.userData;
  entry.className = slot.className;
  entry.title = slot.title;
  return entry;
}

bool WindowRegistry::Publish(const WindowEntry& entry) {
  if (entry.handle == 0) return false;
  Access access(*this, true);
  if (!access.Valid()) return false;
  DWORD self = static_cast<DWORD>(getpid());
  Slot* target = access.Find(entry.handle);
  if (target && target->processId != self) return false;
  for (size_t i = 0; !target && i < kSlots; ++i) {
    Slot& slot = access.table().slots[i];
    if (access.Live(slot)) continue;  // free, or left by a program that has ended
    target = &slot;
    target->order = ++access.table().nextOrder;
    access.table().slotsInUse = std::max<std::uint32_t>(access.table().slotsInUse, static_cast<std::uint32_t>(i + 1));
  }
  if (!target) return false;
  target->handle = entry.handle;
  target->processId = self;
  target->threadId = entry.threadId;
  target->parent = entry.parent;
  target->flags = entry.flags;
  target->userData = entry.userData;
  target->processStart = ProcessStartOf(self);
  CopyField(target->className, entry.className);
  CopyField(target->title, entry.title);
  return true;
}

void WindowRegistry::Withdraw(DWORD handle) {
  Access access(*this, true);
  if (!access.Valid()) return;
  if (Slot* slot = access.Find(handle); slot && slot->processId == static_cast<DWORD>(getpid()))
    std::memset(slot, 0, sizeof *slot);
}

bool WindowRegistry::BringToTop(DWORD handle) {
  Access access(*this, true);
  Slot* slot = access.Valid() ? access.Find(handle) : nullptr;
  if (slot) slot->order = ++access.table().nextOrder;
  return slot != nullptr;
}

std::optional<WindowEntry> WindowRegistry::Find(DWORD handle) {
  Access access(*this, false);
  Slot* slot = access.Valid() && handle ? access.Find(handle) : nullptr;
  if (!slot) return std::nullopt;
  return EntryOf(*slot);
}

std::vector<WindowEntry> WindowRegistry::Entries() {
  Access access(*this, false);
  std::vector<WindowEntry> entries;
  if (!access.Valid()) return entries;
  for (const Slot* slot : access.Ordered()) entries.push_back(EntryOf(*slot));
  return entries;
}

DWORD WindowRegistry::FindWindow(const char* className, const char* title) {
  Access access(*this, false);
  if (!access.Valid()) return 0;
  const Slot* best = nullptr;
  for (const Slot& slot : access.Used()) {
    if (slot.handle == 0 || (best && slot.order < best->order)) continue;
    if ((className && !SameText(slot.className, className)) || (title && !SameText(slot.title, title))) continue;
    if (access.Live(slot)) best = &slot;
  }
  return best ? best->handle : 0;
}

DWORD WindowRegistry::Neighbour(DWORD handle, UINT relation) {
  Access access(*this, false);
  if (!access.Valid()) return 0;
  std::vector<Slot*> ordered = access.Ordered();
  if (ordered.empty()) return 0;
  if (relation == GW_HWNDFIRST) return ordered.front()->handle;
  if (relation == GW_HWNDLAST) return ordered.back()->handle;
  auto at = std::find_if(ordered.begin(), ordered.end(), [&](const Slot* slot) { return slot->handle == handle; });
  if (at == ordered.end()) return 0;
  if (relation == GW_HWNDNEXT) return at + 1 == ordered.end() ? 0 : (*(at + 1))->handle;
  if (relation == GW_HWNDPREV) return at == ordered.begin() ? 0 : (*(at - 1))->handle;
  return 0;
}

}  // namespace layer::ipc
