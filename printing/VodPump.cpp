#include "VodPump.h"

#include "VodContext.h"
#include "VodUi.h"
#include "win32/Clock.h"
#include "win32/DebugOutput.h"

namespace vod {

bool PumpMessages() {
  VodContext* context = CurrentContext();
  if (!context) {
    Sleep(1);
    return true;
  }
  context->animationTick = context->animationTick >= 639 ? 0 : context->animationTick + 1;
  LeaveContext();
  CurrentUi().DispatchWaitingMessages();
  EnterContext();
  int limit = context->settings.sleepLimit;
  if (limit > 0) {
    if (context->pumpCounter > limit) {
      OutputDebugString("Sleep(1)\n");
      Sleep(1);
      context->pumpCounter = 0;
    } else {
      ++context->pumpCounter;
    }
  }
  return context->jobState == kJobRunning;
}

}  // namespace vod
