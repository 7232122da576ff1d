// Writes the content of a database or a dictionary as the tool's source
// text, which the tool reads back to the same content. Every byte outside
// printable ASCII is written as an escape, so the text is plain ASCII.
#pragma once

#include <string>

#include "DdmContent.h"

namespace ddm {

std::string SourceText(const DdmContent& content);

}  // namespace ddm
