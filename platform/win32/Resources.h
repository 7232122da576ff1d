// Resources: data compiled into a program or library from the files of its
// res/ folder (varno_add_resources in cmake/Varno.cmake) and found by module,
// type and id. Ids and types are numbers (MAKEINTRESOURCE, RT_*) or names;
// names compare without regard to case and "#123" names the number 123.
// A module is what LoadLibrary or GetModuleHandle gives; null is the program.
// Resource data is read-only, aligned to 8 bytes, and lives as long as its
// module is loaded.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "win32/Types.h"
#include "win32/UserTypes.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)

// A module without any resources, one without the type, one without the id.
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources need no freeing; FALSE, as the platform answers.
BOOL FreeResource(HGLOBAL data);

// A bitmap resource as a bitmap of the screen's kind; null (with
// ERROR_INVALID_DATA) when its bytes are no uncompressed picture.
HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name);

// A text of the module's string table into buffer (cut to size - 1 bytes and
// ended by NUL); its length, 0 when there is none.
int LoadString(HINSTANCE module, UINT id, LPSTR buffer, int size);
inline int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) { return LoadString(module, id, buffer, size); }

inline HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) { return FindResource(module, name, type); }
inline HBITMAP LoadBitmapA(HINSTANCE module, LPCSTR name) { return LoadBitmap(module, name); }

namespace layer {

// One resource as the generated source of a module lists it; type and name
// are numbers made with MAKEINTRESOURCE or texts.
struct ResourceEntry {
  LPCSTR type;
  LPCSTR name;
  const BYTE* data;
  DWORD size;
};

// The resources of the module this object is compiled into: known from its
// construction (when the module loads) to its destruction (when it unloads).
class ModuleResources {
 public:
  ModuleResources(const ResourceEntry* entries, std::size_t count);
  // The records of a compiled resource file (.res) that the build checked.
  ModuleResources(const BYTE* image, std::size_t size);
  ~ModuleResources();
  ModuleResources(const ModuleResources&) = delete;
  ModuleResources& operator=(const ModuleResources&) = delete;

 private:
  void Register(const ResourceEntry* entries, std::size_t count, const void* anchor);
  const ResourceEntry* m_entries = nullptr;
  std::vector<ResourceEntry> m_owned;
  std::deque<std::string> m_names;
};

// The modules that hold a resource of that type and name, in the order they loaded.
std::vector<HMODULE> ModulesWithResource(LPCSTR name, LPCSTR type);

// The bytes and size of a resource, or null when the module has none of
// that type and name.
const BYTE* ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size);

}  // namespace layer
