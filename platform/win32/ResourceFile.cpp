#include "win32/ResourceFile.h"

#include <cstring>

#include "win32/DialogTemplate.h"
#include "win32/GdiTypes.h"
#include "win32/IconResources.h"
#include "win32/MenuTemplate.h"

namespace layer {
namespace {

constexpr WORD kCursor = 1, kBitmap = 2, kIcon = 3, kMenu = 4, kDialog = 5, kString = 6, kAccelerator = 9,
               kGroupCursor = 12, kGroupIcon = 14, kVersion = 16;

bool Failed(std::string& error, std::string reason) {
  error = std::move(reason);
  return false;
}

bool CheckBitmap(const BYTE* data, DWORD size, std::string& error) {
  BITMAPINFOHEADER header;
  if (size < sizeof header) return Failed(error, "the bitmap is shorter than its header");
  std::memcpy(&header, data, sizeof header);
  if (header.biSize < sizeof header || header.biSize > size || header.biWidth <= 0 || header.biHeight == 0 ||
      header.biBitCount == 0 || header.biBitCount > 32)
    return Failed(error, "the bitmap's header is impossible");
  return true;
}

// The version block: its first node's length must lie within the data, as
// the platform's readers look for keys inside that length only.
bool CheckVersion(const BYTE* data, DWORD size, std::string& error) {
  ResourceReader reader(data, size);
  WORD length = reader.Word();
  reader.Word();
  reader.Word();
  std::string key = reader.Text();
  if (!reader.Ok() || length > size || key != "VS_VERSION_INFO")
    return Failed(error, "the version block is cut short or not one");
  return true;
}

}  // namespace

bool ReadResourceFile(const BYTE* image, std::size_t size, std::vector<ResourceRecord>& records, std::string& error) {
  records.clear();
  ResourceReader reader(image, size);
  bool first = true;
  while (reader.Left() > 0) {
    std::size_t start = reader.Position();
    DWORD dataSize = reader.Dword();
    DWORD headerSize = reader.Dword();
    ResourceRecord record;
    record.type = reader.NameOrOrdinal();
    record.name = reader.NameOrOrdinal();
    reader.Align(4);
    reader.Dword();  // data version
    reader.Word();   // memory flags
    record.language = reader.Word();
    reader.Dword();  // version
    reader.Dword();  // characteristics
    if (!reader.Ok() || headerSize < 32 || headerSize > size - start || reader.Position() > start + headerSize)
      return Failed(error, "a record header at byte " + std::to_string(start) + " is cut short or damaged");
    std::size_t dataStart = start + headerSize;
    if (dataSize > size - dataStart)
      return Failed(error, "the data of " + DescribeResource(record) + " runs past the end of the file");
    if (first && (dataSize != 0 || !record.type.IsEmpty()))
      return Failed(error, "the file does not begin with the empty record of a resource file");
    record.data = image + dataStart;
    record.size = dataSize;
    if (!first) records.push_back(record);
    first = false;
    ResourceReader rest(image, size);
    rest.Skip(dataStart + dataSize);
    rest.Align(4);
    reader = rest;
  }
  if (first) return Failed(error, "the file is empty");
  return true;
}

std::string DescribeResource(const ResourceRecord& record) {
  auto describe = [](const ResourceName& name) { return name.isNumber ? std::to_string(name.number) : name.text; };
  static const char* const typeNames[] = {"",           "CURSOR", "BITMAP",       "ICON", "MENU", "DIALOG",
                                          "STRING",     "FONTDIR", "FONT",        "ACCELERATOR", "RCDATA",
                                          "MESSAGETABLE", "GROUP_CURSOR", "", "GROUP_ICON", "", "VERSION"};
  std::string type = record.type.isNumber && record.type.number < std::size(typeNames) && *typeNames[record.type.number]
                         ? typeNames[record.type.number]
                         : describe(record.type);
  return type + " " + describe(record.name);
}

bool CheckResourceData(const ResourceRecord& record, std::string& error) {
  if (!record.type.isNumber) return true;
  std::vector<std::string> texts;
  std::vector<MenuItemTemplate> menu;
  std::vector<AcceleratorEntry> accelerators;
  DialogTemplateInfo dialog;
  IconPicture picture;
  std::vector<IconGroupEntry> group;
  switch (record.type.number) {
    case kDialog:
      return ReadDialogTemplate(record.data, record.size, dialog, &error);
    case kMenu:
      return ReadMenuTemplate(record.data, record.size, menu, &error);
    case kString:
      return ReadStringBlock(record.data, record.size, texts) || Failed(error, "the string table is cut short");
    case kAccelerator:
      return ReadAcceleratorResource(record.data, record.size, accelerators, &error);
    case kBitmap:
      return CheckBitmap(record.data, record.size, error);
    case kIcon:
    case kCursor:
      return ReadIconPicture(record.data, record.size, record.type.number == kCursor, picture, &error);
    case kGroupIcon:
    case kGroupCursor:
      return ReadIconGroup(record.data, record.size, group, &error);
    case kVersion:
      return CheckVersion(record.data, record.size, error);
    default:
      return true;
  }
}

}  // namespace layer
