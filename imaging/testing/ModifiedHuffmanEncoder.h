// Encodes bilevel rows with the one-dimensional modified Huffman code of fax
// group 3, as TIFF compression 2 stores it: every row starts with a white run,
// no end-of-line codes, every row padded to a whole byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/testing/Bilevel.h"

namespace imaging::testing {

// The code of one row of the picture, padded to whole bytes.
std::string EncodeModifiedHuffmanRow(const Bilevel& image, int row);

// Rows first to first + count - 1, each byte-aligned, back to back.
std::string EncodeModifiedHuffmanRows(const Bilevel& image, int first, int count);

}  // namespace imaging::testing
