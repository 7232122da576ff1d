// Dialog templates in both of the platform's forms (the plain one and the
// extended one, which begins with version 1 and 0xFFFF), read into one record.
// Positions and sizes are in dialog units.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "win32/ResourceReader.h"

namespace layer {

struct DialogItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  DWORD id = 0;
  std::string className;  // the predefined classes' ordinals become their names ("Button", "Edit" ...)
  ResourceName text;      // a text, or an ordinal (the resource id of a static's icon or bitmap)
  std::vector<BYTE> creationData;
};

struct DialogTemplateInfo {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  ResourceName menu;
  ResourceName windowClass;
  std::string title;
  bool hasFont = false;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::string face;
  std::vector<DialogItemTemplate> items;
};

// Reads a template of at most size bytes; false, with the reason in error
// (when given), when it is cut short or impossible.
bool ReadDialogTemplate(const void* data, std::size_t size, DialogTemplateInfo& out, std::string* error = nullptr);

// The class name of a predefined control class's ordinal (0x80 to 0x85), or "".
const char* PredefinedClassName(WORD ordinal);

}  // namespace layer
