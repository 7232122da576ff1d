// Form files (".frm"): a text part for people up to a Ctrl-Z, a header with
// the record size, orientation and paper, then 198-byte item records.
#pragma once

#include <string>

#include "win32/Types.h"

namespace vod {

class VodContext;

// The page of a form in form units.
struct FormExtent {
  DWORD width;
  DWORD height;
};
// orientation: low byte non-zero portrait; paper 4 A4, else A3.
FormExtent FormPageSize(WORD orientation, WORD paper);

// Reads the form file into the item list in force. Missing or damaged files
// are reported (texts 86, 290, 75) and give false.
bool LoadMask(VodContext& context, std::string path);

// The default font of a frame: that of the instance-th frame definition of
// that name in the item list in force.
bool SetSchrift(VodContext& context, const std::string& frame, int instance, std::string& font, int& size);

}  // namespace vod
