#include "win32/MenuTemplate.h"

#include "win32/ResourceReader.h"

namespace layer {
namespace {

constexpr UINT kPopup = 0x10;      // MF_POPUP
constexpr UINT kEnd = 0x80;        // MF_END
constexpr UINT kSeparator = 0x800; // MF_SEPARATOR, MFT_SEPARATOR
constexpr int kDeepest = 32;
constexpr std::size_t kMostItems = 4096;

bool Failed(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}

bool ReadPlainItems(ResourceReader& reader, std::vector<MenuItemTemplate>& items, int depth) {
  if (depth > kDeepest) return false;
  for (;;) {
    if (items.size() >= kMostItems) return false;
    MenuItemTemplate item;
    WORD flags = reader.Word();
    if (!(flags & kPopup)) item.id = reader.Word();
    item.text = reader.Text();
    if (!reader.Ok()) return false;
    item.flags = flags & ~kEnd;
    // A plain item without id and text is the compiler's separator.
    if (!(flags & kPopup) && item.id == 0 && item.text.empty()) item.flags |= kSeparator;
    if ((flags & kPopup) && !ReadPlainItems(reader, item.children, depth + 1)) return false;
    items.push_back(std::move(item));
    if (flags & kEnd) return true;
  }
}

bool ReadExtendedItems(ResourceReader& reader, std::vector<MenuItemTemplate>& items, int depth) {
  if (depth > kDeepest) return false;
  for (;;) {
    if (items.size() >= kMostItems) return false;
    MenuItemTemplate item;
    reader.Align(4);
    DWORD type = reader.Dword();
    DWORD state = reader.Dword();
    item.id = reader.Dword();
    WORD flags = reader.Word();
    item.text = reader.Text();
    if (!reader.Ok()) return false;
    item.flags = (type & kSeparator) | (state & 0x100B);  // grayed, disabled, checked, default
    if (flags & 0x01) {
      item.flags |= kPopup;
      reader.Align(4);
      reader.Dword();  // help id
      if (!ReadExtendedItems(reader, item.children, depth + 1)) return false;
    }
    items.push_back(std::move(item));
    if (flags & kEnd) return true;
  }
}

}  // namespace

bool ReadMenuTemplate(const void* data, std::size_t size, std::vector<MenuItemTemplate>& items, std::string* error) {
  items.clear();
  if (!data) return Failed(error, "no menu");
  ResourceReader reader(data, size);
  WORD version = reader.Word();
  WORD offset = reader.Word();
  if (!reader.Ok()) return Failed(error, "the menu's header is cut short");
  if (version == 0) {
    reader.Skip(offset);
    if (reader.Left() == 0) return true;  // an empty menu
    if (!ReadPlainItems(reader, items, 0)) return Failed(error, "a menu item is cut short or nested too deep");
    return true;
  }
  if (version != 1 || offset < 4) return Failed(error, "the menu's version is neither 0 nor 1");
  reader.Skip(offset);
  if (reader.Left() == 0) return true;
  if (!ReadExtendedItems(reader, items, 0)) return Failed(error, "a menu item is cut short or nested too deep");
  return true;
}

bool ReadAcceleratorResource(const void* data, std::size_t size, std::vector<AcceleratorEntry>& entries,
                             std::string* error) {
  entries.clear();
  if (!data) return Failed(error, "no accelerator table");
  ResourceReader reader(data, size);
  for (;;) {
    WORD flags = reader.Word();
    AcceleratorEntry entry{static_cast<BYTE>(flags & 0x7F), reader.Word(), reader.Word()};
    reader.Word();
    if (!reader.Ok()) return Failed(error, "the accelerator table is cut short");
    entries.push_back(entry);
    if (flags & 0x80) return true;
  }
}

bool ReadStringBlock(const void* data, std::size_t size, std::vector<std::string>& texts) {
  texts.clear();
  if (!data) return false;
  ResourceReader reader(data, size);
  for (int i = 0; i < 16; ++i) {
    WORD length = reader.Word();
    if (length > reader.Left() / 2) return false;
    texts.push_back(Utf16ToCp1252(reinterpret_cast<const WORD*>(reader.Here()), length));
    reader.Skip(static_cast<std::size_t>(length) * 2);
  }
  return reader.Ok();
}

}  // namespace layer
