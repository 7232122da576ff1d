// Icons and cursors as resources keep them: a group (RT_GROUP_ICON,
// RT_GROUP_CURSOR) lists the pictures of one icon in several sizes and depths,
// each picture (RT_ICON, RT_CURSOR) a device-independent bitmap of twice the
// height (the colours, then the 1-bit mask); a cursor's picture begins with
// its hot spot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer {

struct IconGroupEntry {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  DWORD bytes = 0;
  WORD id = 0;  // the RT_ICON or RT_CURSOR resource of this picture
};

// A picture as 0xAARRGGBB pixels, top row first.
struct IconPicture {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<std::uint32_t> pixels;
};

bool ReadIconGroup(const void* data, std::size_t size, std::vector<IconGroupEntry>& entries,
                   std::string* error = nullptr);
bool ReadIconPicture(const void* data, std::size_t size, bool cursor, IconPicture& picture,
                     std::string* error = nullptr);
// The entry of a group that suits a wanted size best: that size exactly,
// the deepest colours first; else the nearest size.
const IconGroupEntry* BestIconEntry(const std::vector<IconGroupEntry>& entries, int width, int height);

}  // namespace layer
