#include "win32/Resources.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <mutex>
#include <vector>

#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/Mbstring.h"
#include "win32/MenuTemplate.h"
#include "win32/Module.h"
#include "win32/ResourceFile.h"

namespace {

// A table that a module registered while loading. Its module handle is found
// on first use: while the module's constructors run, it is not yet known.
struct Table {
  const layer::ResourceEntry* entries;
  std::size_t count;
  const void* anchor;  // an address inside the module's own data
  HMODULE module;
  bool moduleKnown;
};

std::mutex tablesMutex;
std::vector<Table>& Tables() {
  static auto* tables = new std::vector<Table>;  // outlives every module's destructors
  return *tables;
}

link_map* ProgramMap() {
  static link_map* map = [] {
    link_map* found = nullptr;
    if (void* self = dlopen(nullptr, RTLD_LAZY)) dlinfo(self, RTLD_DI_LINKMAP, &found);
    return found;
  }();
  return map;
}

// The handle that LoadLibrary and GetModuleHandle give for the module that
// holds address; the loader gives one handle per loaded library.
HMODULE ModuleOfAddress(const void* address) {
  Dl_info info;
  link_map* map = nullptr;
  if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map) return nullptr;
  if (map == ProgramMap()) return GetModuleHandle(nullptr);
  void* handle = dlopen(map->l_name, RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);  // the library stays loaded: its own table is in it
  return static_cast<HMODULE>(handle);
}

// Asks the loader without holding the tables' lock: a library that loads on
// another thread holds the loader's lock while it registers its table.
void LearnModules() {
  std::vector<const void*> unknown;
  {
    std::lock_guard<std::mutex> lock(tablesMutex);
    for (const Table& table : Tables())
      if (!table.moduleKnown) unknown.push_back(table.anchor);
  }
  for (const void* anchor : unknown) {
    HMODULE module = ModuleOfAddress(anchor);
    std::lock_guard<std::mutex> lock(tablesMutex);
    for (Table& table : Tables())
      if (table.anchor == anchor) {
        table.module = module;
        table.moduleKnown = true;
      }
  }
}

// A number below 0x10000, or the number of a "#123" name; -1 for other names.
long NumberOf(LPCSTR id) {
  if (IS_INTRESOURCE(id)) return static_cast<long>(reinterpret_cast<ULONG_PTR>(id));
  if (id[0] != '#' || id[1] < '0' || id[1] > '9') return -1;
  char* end = nullptr;
  long number = std::strtol(id + 1, &end, 10);
  return *end == '\0' && number <= 0xFFFF ? number : -1;
}

bool SameId(LPCSTR wanted, LPCSTR stored) {
  long a = NumberOf(wanted), b = NumberOf(stored);
  if (a >= 0 || b >= 0) return a == b;
  return _stricmp(wanted, stored) == 0;
}

const layer::ResourceEntry* KnownEntry(HRSRC resource) {
  auto* wanted = reinterpret_cast<const layer::ResourceEntry*>(resource);
  for (const Table& table : Tables())
    if (wanted >= table.entries && wanted < table.entries + table.count) return wanted;
  return nullptr;
}

// Where the pixels of a packed bitmap begin, when all of its lines are there.
std::size_t PixelOffset(const BITMAPINFO* info, std::size_t size) {
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (size < sizeof header || header.biSize < sizeof header || header.biSize > size || header.biCompression != BI_RGB ||
      header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN || header.biBitCount == 0 ||
      header.biBitCount > 32)
    return 0;
  std::size_t colours = header.biClrUsed ? header.biClrUsed : header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
  if (colours > (size - header.biSize) / sizeof(RGBQUAD)) return 0;
  std::size_t offset = header.biSize + colours * sizeof(RGBQUAD);
  std::size_t stride = WIDTHBYTES(static_cast<std::size_t>(header.biWidth) * header.biBitCount);
  std::size_t lines = static_cast<std::size_t>(std::abs(static_cast<long long>(header.biHeight)));
  return (size - offset) / stride >= lines ? offset : 0;
}

}  // namespace

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!name || !type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!module) module = GetModuleHandle(nullptr);
  LearnModules();
  std::lock_guard<std::mutex> lock(tablesMutex);
  DWORD error = ERROR_RESOURCE_DATA_NOT_FOUND;
  for (Table& table : Tables()) {
    if (!table.moduleKnown || table.module != module) continue;
    if (error == ERROR_RESOURCE_DATA_NOT_FOUND) error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    for (const layer::ResourceEntry* entry = table.entries; entry != table.entries + table.count; ++entry) {
      if (!SameId(type, entry->type)) continue;
      error = ERROR_RESOURCE_NAME_NOT_FOUND;
      if (SameId(name, entry->name)) return reinterpret_cast<HRSRC>(const_cast<layer::ResourceEntry*>(entry));
    }
  }
  SetLastError(error);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  std::lock_guard<std::mutex> lock(tablesMutex);
  const layer::ResourceEntry* entry = KnownEntry(resource);
  if (!entry) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<BYTE*>(entry->data);
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE, HRSRC resource) {
  std::lock_guard<std::mutex> lock(tablesMutex);
  const layer::ResourceEntry* entry = KnownEntry(resource);
  if (!entry) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return entry->size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name) {
  HRSRC found = FindResource(module, name, RT_BITMAP);
  if (!found) return nullptr;
  const auto* info = static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, found)));
  const std::size_t pixels = PixelOffset(info, SizeofResource(module, found));
  if (!pixels) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  const BYTE* bits = reinterpret_cast<const BYTE*>(info) + pixels;
  return CreateDIBitmap(nullptr, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
}

int LoadString(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  if (!buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DWORD blockSize = 0;
  const BYTE* block = layer::ResourceBytes(module, MAKEINTRESOURCE((id >> 4) + 1), RT_STRING, &blockSize);
  std::vector<std::string> texts;
  if (!block || !layer::ReadStringBlock(block, blockSize, texts) || texts[id & 15].empty()) {
    if (size > 0) buffer[0] = '\0';
    if (block) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const std::string& text = texts[id & 15];
  if (size <= 0) return 0;
  int count = static_cast<int>(std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1)));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
  buffer[count] = '\0';
  return count;
}

namespace layer {

HMODULE ModuleOf(const void* address) { return ModuleOfAddress(address); }

ModuleResources::ModuleResources(const ResourceEntry* entries, std::size_t count) { Register(entries, count, entries); }

ModuleResources::ModuleResources(const BYTE* image, std::size_t size) {
  std::vector<ResourceRecord> records;
  std::string error;
  if (!ReadResourceFile(image, size, records, error)) {
    std::fprintf(stderr, "resources of a module are damaged: %s\n", error.c_str());
    return;
  }
  auto idOf = [this](const ResourceName& name) -> LPCSTR {
    if (name.isNumber) return MAKEINTRESOURCE(name.number);
    return m_names.emplace_back(name.text).c_str();
  };
  for (const ResourceRecord& record : records)
    m_owned.push_back(ResourceEntry{idOf(record.type), idOf(record.name), record.data, record.size});
  Register(m_owned.data(), m_owned.size(), image);
}

void ModuleResources::Register(const ResourceEntry* entries, std::size_t count, const void* anchor) {
  m_entries = entries;
  std::lock_guard<std::mutex> lock(tablesMutex);
  Tables().push_back(Table{entries, count, anchor, nullptr, false});
}

std::vector<HMODULE> ModulesWithResource(LPCSTR name, LPCSTR type) {
  LearnModules();
  std::vector<HMODULE> modules;
  std::lock_guard<std::mutex> lock(tablesMutex);
  for (const Table& table : Tables()) {
    if (!table.moduleKnown) continue;
    for (const ResourceEntry* entry = table.entries; entry != table.entries + table.count; ++entry) {
      if (SameId(type, entry->type) && SameId(name, entry->name)) {
        modules.push_back(table.module);
        break;
      }
    }
  }
  return modules;
}

const BYTE* ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size) {
  HRSRC found = FindResource(module, name, type);
  if (!found) return nullptr;
  if (size) *size = SizeofResource(module, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

ModuleResources::~ModuleResources() {
  std::lock_guard<std::mutex> lock(tablesMutex);
  std::erase_if(Tables(), [this](const Table& table) { return table.entries == m_entries; });
}

}  // namespace layer
