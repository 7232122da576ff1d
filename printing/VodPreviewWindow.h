// The preview window: it shows one page metafile at a time at the page's
// device size, optionally scrolls, queues up to three pages in scroll mode,
// and ends the job when the user closes it.
#pragma once

#include "win32/Types.h"

namespace vod {

// The page's size in device pixels, for painting and the scroll ranges.
void SetPreviewPageSize(HWND window, SIZE page);
bool PreviewShowsPage(HWND window);
// Pages queued in scroll mode (0 without scroll mode).
int PreviewQueuedPages(HWND window);
// The scroll positions.
POINT PreviewScrollPosition(HWND window);

}  // namespace vod
