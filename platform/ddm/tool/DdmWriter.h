// Writes the content of a database or a dictionary as a data manager file.
// The file is written beside its place under another name and moved there
// when complete, so a failed write leaves nothing behind and a program that
// has the old file open keeps reading the old one.
#pragma once

#include <string>

#include "DdmContent.h"

namespace ddm {

// False, with the reason in *why, when the file cannot be written.
bool WriteDdmFile(const DdmContent& content, const std::string& hostPath, std::string* why);

}  // namespace ddm
