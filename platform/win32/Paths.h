// The path rule: the system writes paths with backslashes and drive letters,
// as catalogue data made on the platform does. The layer turns them into host
// paths: "\" becomes "/", "X:" becomes the folder that stands for drive X, and
// each part of the path that does not exist as written is looked up in its
// folder without regard to case. Host paths ("/...") pass through.
#pragma once

#include <string>
#include <string_view>

namespace layer {

// The host path (UTF-8) for a system path (Windows-1252).
std::string HostPath(std::string_view systemPath);
// The system form of a host path: Windows-1252, host separators kept.
std::string SystemPath(std::string_view hostPath);

// The folder that stands for a drive letter. Unless set, it is the value of
// the environment variable VARNO_DRIVE_<letter>, else the folder
// "varno4/drive_<letter>" under the user's data folder.
std::string DriveFolder(char drive);
void SetDriveFolder(char drive, std::string hostFolder);

}  // namespace layer
