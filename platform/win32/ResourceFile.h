// The platform's compiled resource file (.res): a list of records, each a
// header (data size, header size, type, name, language) and the data, every
// part aligned to four bytes. The build embeds it into a module whole; the
// layer reads it here, and the build checks every record's data the same way
// before it embeds the file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "win32/ResourceReader.h"

namespace layer {

struct ResourceRecord {
  ResourceName type;
  ResourceName name;
  WORD language = 0;
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The records of a .res image, without the empty first one. False, with the
// reason in error, when the image is damaged.
bool ReadResourceFile(const BYTE* image, std::size_t size, std::vector<ResourceRecord>& records, std::string& error);

// Whether a record's data is well-formed for its type (dialogs, menus,
// string tables, accelerator tables, icon and cursor groups and their
// pictures, bitmaps, version information); other types are taken as they are.
bool CheckResourceData(const ResourceRecord& record, std::string& error);

// A record's type and name for messages: "DIALOG 100", "BITMAP IDB_LOGO".
std::string DescribeResource(const ResourceRecord& record);

}  // namespace layer
