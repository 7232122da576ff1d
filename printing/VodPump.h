// The cooperative message pump that keeps the caller's windows alive while a
// job runs on the caller's thread.
#pragma once

namespace vod {

class VodContext;

// One step: dispatches the thread's waiting messages; false once the job has
// a state (ended, cancelled, stopped).
bool PumpMessages();

}  // namespace vod
