// The tool that builds the data manager's files from source text and dumps
// them back. Tests and fixtures build their files through these functions.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "DdmContent.h"

namespace ddm {

// Builds the database or dictionary that a source text describes. False,
// with "name:line:column: message" in *error, on a fault in the source, and
// with the reason when the file cannot be written; nothing is written then.
bool BuildDdmFile(std::string_view source, const std::string& sourceName, const std::string& hostPath,
                  std::string* error);
// Reads a database or dictionary file whole; false with the reason.
bool ReadDdmFile(const std::string& hostPath, DdmContent* content, std::string* why);

// The command line: "build SOURCE FILE" and "dump FILE [SOURCE]". Returns
// the exit code: 0 done, 1 failed, 2 a wrong command line.
int RunDdmTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace ddm
