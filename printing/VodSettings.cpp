#include "VodSettings.h"

#include <cstdlib>
#include <cstring>

#include "VodContext.h"
#include "VodStrings.h"
#include "VodTexts.h"
#include "foundation/CIniClass.h"
#include "win32/Files.h"
#include "win32/Module.h"
#include "win32/SystemInfo.h"

namespace vod {
namespace {

bool Exists(const std::string& path) { return GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsRelative(const std::string& path) {
  return !path.empty() && path[0] != '\\' && path[0] != '/' && !(path.size() > 1 && path[1] == ':');
}

std::string CurrentFolder() {
  char buffer[MAX_PATH + 1] = {};
  GetCurrentDirectory(sizeof buffer, buffer);
  return buffer;
}

std::string ProgramFolder() {
  char buffer[MAX_PATH + 1] = {};
  GetModuleFileName(nullptr, buffer, sizeof buffer);
  std::string program = buffer;
  size_t cut = program.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : program.substr(0, cut + 1);
}

std::string WindowsFolder() {
  char buffer[MAX_PATH + 1] = {};
  GetWindowsDirectory(buffer, sizeof buffer);
  return buffer;
}

// A relative ini path is completed once: the current folder, the program's
// folder, and the Windows folder, the first where the file exists, else the
// last.
const std::string& IniPath(VodContext& context) {
  if (!context.iniPathCompleted && IsRelative(context.iniPath)) {
    std::string inCurrent = CurrentFolder() + "\\" + context.iniPath;
    std::string inProgram = ProgramFolder() + context.iniPath;
    if (Exists(inCurrent))
      context.iniPath = inCurrent;
    else if (Exists(inProgram))
      context.iniPath = inProgram;
    else
      context.iniPath = WindowsFolder() + "\\" + context.iniPath;
  }
  context.iniPathCompleted = true;
  return context.iniPath;
}

std::string Setting(VodContext& context, const char* key, const char* defaultValue) {
  std::string value = ReadVodKey(context, nullptr, key, defaultValue);
  Trim(value);
  UpperCaseAscii(value);
  return value;
}

}  // namespace

std::string ReadVodKey(VodContext& context, const char* section, const char* key, const char* defaultValue) {
  if (context.iniPath.empty()) return "";
  // A missing file reads as all defaults at once, without the waits that
  // the ini reader spends on a file another program may hold.
  if (!Exists(IniPath(context))) return defaultValue ? defaultValue : "";
  CIniClass ini;
  CString value;
  ini.ReadKey(section ? section : "VOD", key, defaultValue ? defaultValue : "", value, IniPath(context).c_str(), TRUE);
  return static_cast<const char*>(value);
}

int ReadVodString(VodContext& context, const char* section, const char* key, const char* defaultValue,
                  char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::string value = ReadVodKey(context, section, key, defaultValue);
  size_t length = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

int ReadVodInt(VodContext& context, const char* section, const char* key, int defaultValue) {
  static constexpr const char* kMissing = "xXxXxX";
  std::string value = ReadVodKey(context, section, key, kMissing);
  if (value == kMissing || context.iniPath.empty()) return defaultValue;
  return std::atoi(value.c_str());
}

int WriteVodKey(VodContext& context, const char* section, const char* key, const char* value) {
  if (context.iniPath.empty()) return 0;
  CIniClass ini;
  return ini.WriteKey(section ? section : "VOD", key, value ? value : "", IniPath(context).c_str(), TRUE);
}

void LoadSettings(VodContext& context, HWND owner) {
  context.owner = owner;
  context.ResetJob();
  VodSettingsValues& settings = context.settings;

  std::string language = Setting(context, "Sprache", "");
  if (!language.empty() && language[0] == 'D') context.languageOffset = 0;
  if (!language.empty() && language[0] == 'E') context.languageOffset = kEnglishOffset;
  settings.checkFrames = Setting(context, "CheckFrames", "TRUE") == "TRUE";
  std::string sizeCheck = Setting(context, "CheckGroesse", "TRUE");
  settings.sizeCheckMode = sizeCheck == "FALSE" ? kSizeCheckOff : sizeCheck == "CUT" ? kSizeCheckCut : kSizeCheckOn;
  settings.oemText = Setting(context, "TextCharSet", "ANSI") == "OEM";
  settings.invertBitmaps = Setting(context, "InvertBitmaps", "FALSE") == "TRUE";
  settings.hp4 = Setting(context, "HP4", "FALSE") == "TRUE";
  settings.toPrinter = Setting(context, "Bildschirm", "FALSE") == "FALSE";
  settings.previewScroll = !settings.toPrinter && Setting(context, "BildschirmScroll", "FALSE") != "FALSE";
  settings.formFeed = Setting(context, "FormFeed", "FALSE") != "FALSE";
  settings.penFile = Setting(context, "PenFile", "default.pen").substr(0, 259);
  settings.userSize = Setting(context, "UserSize", "FALSE") != "FALSE";
  settings.paperSize = ReadVodInt(context, nullptr, "PaperSize", 9);
  if (settings.toPrinter) {
    std::string noMetaFile = Setting(context, "NoMetaFile", "");
    settings.directDrawing = noMetaFile != "FALSE";
  }
  settings.noDialog = Setting(context, "NoDialog", "FALSE") == "TRUE";
  settings.capLineWidth = ParseTenths(Setting(context, "CAP_Strichstaerke", "1,4"));
  settings.symbolsPrintDown = Setting(context, "SymbolsPrintDown", "TRUE") == "TRUE";
  std::string displayLog = Setting(context, "DisplayLog", "*");
  if (displayLog != "*") settings.trace = displayLog == "TRUE";
  settings.sleepLimit = ReadVodInt(context, nullptr, "Sleep", 0);
  settings.charHeightMode = Setting(context, "CharSetSize", "CELL") != "CELL";
  settings.showTiffInfo = Setting(context, "ShowTiffInfo", "FALSE") == "TRUE";
}

}  // namespace vod
