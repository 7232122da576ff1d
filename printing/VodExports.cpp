// The exported functions of the library that stand without its windows.
#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodTexts.h"
#include "VodUi.h"
#include "interfaces/QorVod32.h"

namespace {

const std::string kVersion = std::string(vod::kVersionNumber) + "w C6";

}  // namespace

extern "C" {

int VOD_IsPrinting() {
  vod::VodContext* context = vod::EnterContext();
  bool loopRuns = context && context->loopRunning;
  vod::LeaveContext();
  return vod::g_loopBusy || vod::g_jobBusy || loopRuns ? 1 : 0;
}

int VOD_GetVersion(char* destination, unsigned length) {
  // Nothing fits into no room at all, not even the end of the text.
  if (!destination || length == 0) return 1;
  size_t copy = kVersion.size();
  if (length >= 1 && length <= 41) copy = std::min<size_t>(copy, length - 1);
  std::memcpy(destination, kVersion.data(), copy);
  destination[copy] = '\0';
  return 1;
}

int VOD_SetCallback(VodCallback callback) {
  if (vod::g_loopBusy || vod::g_jobBusy) {
    std::string text = vod::LoadTextEnglishFirst(44);
    if (callback && (callback(VOD_CB_INFO_TEXT, text.c_str()) & VOD_ANSWER_SHOW_BOX))
      vod::CurrentUi().MessageBox(nullptr, text, "VOD", vod::BoxButtons::Ok, vod::BoxIcon::Error);
    return 0;
  }
  vod::ContextScope context;
  if (!context.get() || context->iniPath.empty()) return 0;
  context->callback = callback;
  return 1;
}

const char* VOD_MBCSorUNICODE() { return "MBCS"; }

}  // extern "C"
