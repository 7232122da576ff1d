// The printing dialog that runs a job: its statement loop, the end of the
// job and what the caller is told.
#pragma once

#include "win32/Types.h"

namespace vod {

class VodContext;

// Tells the caller a code without text: the callback, else WM_VOD_NOTIFY
// posted to the owner.
void NotifyCaller(VodContext& context, WORD code);
// Ends the job with its dialog: a modeless dialog tells the caller the job
// state and goes; a modal one ends with modalResult.
void CloseJob(VodContext& context, HWND dialog, INT_PTR modalResult);

}  // namespace vod
