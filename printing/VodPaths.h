// Completion of bare file names (through the VOD_ROOT setting or the folder
// of the referring file), placeholders of the caller's ini file, and the
// opening of files with the library's error reports.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "VodFile.h"

namespace vod {

class VodContext;

// Limits of placeholder expansion: a value that names itself, directly or
// through others, must end. The depth counts values inside values: a
// placeholder of the caller's text lies at depth 1, one in its value at 2.
constexpr int kPlaceholderDepth = 16;
constexpr size_t kExpandedLimit = 260;

// Replaces every %KEY% by the value of KEY in section "VOD" (a trailing ";"
// dropped, no doubled "\" at the seam). False when a placeholder is not
// closed, has no value, nests deeper than the limit or makes the text longer
// than a path; the text is then unchanged.
bool ExpandIniPlaceholder(VodContext& context, std::string& text);
// Expands "%VOD_ROOT%" in a name when it holds one; else the name as given.
std::string ResolveRoot(VodContext& context, const std::string& name);
// A bare name completed through %VOD_ROOT%, else through the folder of the
// referring file; none for a name with a folder or drive.
std::optional<std::string> ResolveVodPath(VodContext& context, const std::string& name, const std::string& referring);
// True when the name opens for reading as given (resolved stays empty) or
// after completion (resolved holds the completed name).
bool FileExists(VodContext& context, const std::string& name, const std::string& referring, std::string& resolved);
// Opens with the mode's first letter ("r", "rb", "rt", "w"). A missing file
// reports errorText with the name, a file that cannot be opened text 290;
// ask makes the report a question.
// The script whose folder completes bare names: the running one, else the job's.
std::string ReferringScript(const VodContext& context);
std::unique_ptr<VodFile> OpenFile(VodContext& context, const std::string& name, const char* mode, int errorText,
                                  const std::string& referring, bool ask);

}  // namespace vod
