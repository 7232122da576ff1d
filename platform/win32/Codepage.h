// The system's texts are Windows-1252 bytes; the host speaks UTF-8. These
// conversions are used only at the layer's edges (file names, host text).
#pragma once

#include <string>
#include <string_view>

namespace layer {

std::string Cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Case mapping of Windows-1252: ASCII letters, the accented letters
// 0xC0-0xDE / 0xE0-0xFE (but for the signs 0xD7 and 0xF7) and the pairs
// 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF. 0xDF and 0xB5 have no upper case.
unsigned char Cp1252ToLower(unsigned char c);
unsigned char Cp1252ToUpper(unsigned char c);

}  // namespace layer
