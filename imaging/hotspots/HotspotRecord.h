// What the picture files keep of a hotspot.
#pragma once

#include <string>

#include "win32/Types.h"

struct HotspotRecord {
  RECT rect;          // picture coordinates
  std::string name;
  std::string text2;
  BYTE mode;          // colour mode
};
