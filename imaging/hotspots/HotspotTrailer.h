// The hotspot trailer: a block of hotspot records that any file may carry at
// its end, closed by its length and a 16-byte magic. All integers are 32-bit,
// signed, little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "HotspotRecord.h"

namespace hotspots {

// The block length and the magic that close every trailer.
inline constexpr std::size_t trailerTailSize = 20;
inline constexpr char trailerMagic[] = "MORVANT HOTSPOTS";

// The whole trailer for the records: count, records, block length, magic.
// Texts longer than 98 bytes are cut to their first 98.
std::vector<std::uint8_t> EncodeTrailer(const std::vector<HotspotRecord>& records);

// Where the block starts in a file of fileLength bytes whose last 20 bytes
// are tail, or nothing when tail is not the closing of a trailer whose block
// fits into the file before it.
std::optional<std::uint64_t> TrailerBlockStart(const std::uint8_t* tail, std::uint64_t fileLength);

// The records of a block, or nothing when the block is damaged: a negative
// count, a text length below 1, or records that do not end exactly at the
// end of the block. Text lengths of 100 or more are taken as 99.
std::optional<std::vector<HotspotRecord>> ParseTrailerBlock(const std::uint8_t* block, std::size_t length);

}  // namespace hotspots
