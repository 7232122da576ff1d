// Section "VOD" of the calling program's ini file: the key access of the
// library and the settings every job reads first.
#pragma once

#include <string>

#include "win32/Types.h"

namespace vod {

class VodContext;

// Modes of CheckGroesse: what a static text too large for its frame does.
constexpr int kSizeCheckOff = 0;  // reported, printed anyway
constexpr int kSizeCheckOn = 1;   // reported, the page fails
constexpr int kSizeCheckCut = 2;  // shortened until it fits

// What LoadSettings reads, in the form the job uses it.
struct VodSettingsValues {
  bool checkFrames = true;
  int sizeCheckMode = kSizeCheckOn;
  bool oemText = false;
  bool invertBitmaps = false;
  bool hp4 = false;
  bool toPrinter = true;
  bool previewScroll = false;
  bool formFeed = false;
  std::string penFile = "DEFAULT.PEN";
  bool userSize = false;
  int paperSize = 9;
  bool directDrawing = true;
  bool noDialog = false;
  int capLineWidth = 14;  // tenths
  bool symbolsPrintDown = true;
  bool trace = false;
  int sleepLimit = 0;
  bool charHeightMode = false;
  bool showTiffInfo = false;
};

// section null means "VOD". Empty without an ini path.
std::string ReadVodKey(VodContext& context, const char* section, const char* key, const char* defaultValue);
// Copies at most size - 1 bytes; returns the length copied.
int ReadVodString(VodContext& context, const char* section, const char* key, const char* defaultValue,
                  char* buffer, int size);
int ReadVodInt(VodContext& context, const char* section, const char* key, int defaultValue);
// 0 without an ini path; else the result of the write.
int WriteVodKey(VodContext& context, const char* section, const char* key, const char* value);

// Resets the job and reads the settings.
void LoadSettings(VodContext& context, HWND owner);

}  // namespace vod
