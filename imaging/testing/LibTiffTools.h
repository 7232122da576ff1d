// Debian's libtiff tools as an outside judge of the TIFF files that the tests
// write and read, so that our reader is not only checked against our writer.
#pragma once

#include <optional>
#include <string>

#include "imaging/testing/Bilevel.h"

namespace imaging::testing {

// The standard output of a shell command, or nothing when it fails.
std::optional<std::string> RunTool(const std::string& command);

// libtiff's own reading of a bilevel TIFF: converted to an uncompressed single
// strip by tiffcp and dumped by tiffinfo. Nothing when either tool refuses it.
std::optional<Bilevel> DecodeWithLibTiff(const std::string& tiffPath, const std::string& scratchPath);

// Writes the picture of a TIFF anew through libtiff's own encoder, keeping its
// compression; false when tiffcp fails.
bool RecodeWithLibTiff(const std::string& from, const std::string& to);

}  // namespace imaging::testing
