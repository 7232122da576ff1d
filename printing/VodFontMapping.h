// Form font names ("UNIVF", "TIMES", "COUR_10" ...) and the Windows fonts
// they stand for: a mapping in section VOD of the caller's ini file, else
// the built-in families by the name's beginning.
#pragma once

#include <string>

#include "win32/Gdi.h"

namespace vod {

class VodContext;

// The font for an upper-cased form font name at a height in device units.
// A last or second-to-last letter F makes it bold, a last letter I italic.
// A mapping value is a face, optionally followed by "~" and option letters
// (C, D, G, H, J, O, S character sets; F bold; I italic; N normal; U
// underline; Q turned by 90 degrees). A name without a mapping is matched
// against the built-in families; any other name is recorded in the ini file
// as "*unknown" and printed in the DefaultFont face.
LOGFONTA FontForFormName(VodContext& context, const std::string& name, LONG height);

}  // namespace vod
