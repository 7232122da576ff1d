#include "VodPump.h"

#include "VodContext.h"
#include "VodLibrary.h"
#include "VodUi.h"
#include "user/Controls.h"
#include "user/Dialogs.h"
#include "win32/Clock.h"
#include "win32/DebugOutput.h"
#include "win32/UserMessages.h"

namespace vod {
namespace {

constexpr WORD kLastTick = 639;
constexpr WORD kTicksPerPicture = 128;
constexpr int kAnimationItem = 1016;

}  // namespace

void AnimateDialog(VodContext& context) {
  context.animationTick = context.animationTick >= kLastTick ? 0 : context.animationTick + 1;
  if (context.printDialog && context.animationTick % kTicksPerPicture == 0)
    if (HICON icon = AnimationIcon(context.animationTick / kTicksPerPicture))
      SendDlgItemMessage(context.printDialog, kAnimationItem, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void DispatchForJob(VodContext& context) {
  LeaveContext();
  bool quit = !CurrentUi().DispatchWaitingMessages();
  EnterContext();
  // The caller's program is ending: the job ends with it, as if cancelled.
  if (quit && context.jobState == kJobRunning) context.jobState = kJobCancelled;
}

bool PumpMessages() {
  VodContext* context = CurrentContext();
  if (!context) {
    Sleep(1);
    return true;
  }
  AnimateDialog(*context);
  DispatchForJob(*context);
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
