#include "VodFontMapping.h"

#include <cstring>

#include "VodContext.h"
#include "VodSettings.h"
#include "VodStrings.h"

namespace vod {
namespace {

constexpr const char* kNoMapping = "*";

struct Family {
  const char* pattern;
  const char* face;
  BYTE pitchAndFamily;
};

// In the order the names are tried.
constexpr Family kFamilies[] = {
    {"CIRILL*", "Helvetica-Cirill", VARIABLE_PITCH | FF_SWISS},
    {"UNIV*", "Helvetica", VARIABLE_PITCH | FF_SWISS},
    {"TIMES*", "Times", VARIABLE_PITCH | FF_ROMAN},
    {"LP*", "Helvetica", VARIABLE_PITCH | FF_SWISS},
    {"COUR*", "Courier", FIXED_PITCH | FF_MODERN},
};

void SetFace(LOGFONTA& font, const std::string& face) {
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
}

void ApplyOption(LOGFONTA& font, char letter) {
  switch (letter) {
    case 'C': font.lfCharSet = 136; break;
    case 'D': font.lfCharSet = 1; break;
    case 'G': font.lfCharSet = 134; break;
    case 'H': font.lfCharSet = 129; break;
    case 'J': font.lfCharSet = 128; break;
    case 'O': font.lfCharSet = 255; break;
    case 'S': font.lfCharSet = 2; break;
    case 'F': font.lfWeight = FW_BOLD; break;
    case 'I': font.lfItalic = 1; break;
    case 'N':
      font.lfWeight = FW_NORMAL;
      font.lfItalic = 0;
      break;
    case 'U': font.lfUnderline = 1; break;
    case 'Q': font.lfOrientation = 900; break;
    default: break;
  }
}

void ApplyMapping(LOGFONTA& font, const std::string& value) {
  size_t tilde = value.find('~');
  SetFace(font, value.substr(0, tilde));
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  if (tilde == std::string::npos) return;
  std::string options = value.substr(tilde + 1);
  UpperCaseAscii(options);
  for (char letter : options) ApplyOption(font, letter);
}

void ApplyFamily(VodContext& context, LOGFONTA& font, const std::string& name) {
  for (const Family& family : kFamilies) {
    if (MatchWildcard(context, name, family.pattern)) {
      SetFace(font, family.face);
      font.lfPitchAndFamily = family.pitchAndFamily;
      return;
    }
  }
  WriteVodKey(context, nullptr, name.c_str(), "*unknown");
  SetFace(font, ReadVodKey(context, nullptr, "DefaultFont", "Courier").substr(0, 31));
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
}

}  // namespace

LOGFONTA FontForFormName(VodContext& context, const std::string& name, LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  size_t length = name.size();
  bool bold = (length >= 1 && name[length - 1] == 'F') || (length >= 2 && name[length - 2] == 'F');
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = length >= 1 && name[length - 1] == 'I';
  std::string value = ReadVodKey(context, nullptr, name.c_str(), kNoMapping);
  Trim(value);
  // A name once found unknown is marked "*unknown"; it stays unmapped, so
  // that it keeps printing in the same face.
  if (value.empty() || value[0] == '*')
    ApplyFamily(context, font, name);
  else
    ApplyMapping(font, value);
  return font;
}

}  // namespace vod
