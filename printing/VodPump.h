// The cooperative message pump that keeps the caller's windows alive while a
// job runs on the caller's thread.
#pragma once

namespace vod {

class VodContext;

// One step: dispatches the thread's waiting messages; false once the job has
// a state (ended, cancelled, stopped). A request to quit cancels the job and
// stays for the caller's own loop.
bool PumpMessages();
// Moves the printing dialog's animation on by one tick.
void AnimateDialog(VodContext& context);
// Dispatches the waiting messages with the context left; a request to quit
// cancels the job.
void DispatchForJob(VodContext& context);

}  // namespace vod
