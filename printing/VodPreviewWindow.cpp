#include "VodPreviewWindow.h"

#include <algorithm>
#include <array>

#include "VodContext.h"
#include "VodPrintCycle.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodUi.h"
#include "interfaces/QorVod32.h"
#include "win32/EnhMetaFile.h"
#include "win32/Gdi.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

constexpr int kLineStep = 20;
constexpr int kQueueSlots = 3;

struct Preview {
  std::array<HENHMETAFILE, kQueueSlots> queue{};
  int count = 0;
  bool lastPage = false;
  bool scroll = false;
  POINT position{0, 0};
  SIZE client{0, 0};
  SIZE page{0, 0};
};

Preview* PreviewOf(HWND window) { return reinterpret_cast<Preview*>(GetWindowLongPtr(window, GWLP_USERDATA)); }

void SetRanges(HWND window, const Preview& preview, SIZE extent) {
  SetScrollRange(window, SB_HORZ, 0, std::max<LONG>(0, extent.cx), TRUE);
  SetScrollRange(window, SB_VERT, 0, std::max<LONG>(0, extent.cy), TRUE);
  SetScrollPos(window, SB_HORZ, preview.position.x, TRUE);
  SetScrollPos(window, SB_VERT, preview.position.y, TRUE);
}

void DeleteShown(VodContext* context, Preview& preview) {
  if (preview.queue[0] && !DeleteEnhMetaFile(preview.queue[0]) && context) ReportInternalError(*context, 288, 12);
  preview.queue[0] = nullptr;
}

void Create(HWND window, VodContext* context) {
  auto* preview = new Preview;
  preview->scroll = context && context->settings.previewScroll;
  SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
}

void Paint(HWND window, Preview& preview) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (preview.queue[0]) {
    if (preview.scroll) SetWindowOrgEx(dc, preview.position.x, preview.position.y, nullptr);
    RECT area{0, 0, preview.page.cx, preview.page.cy};
    LeaveContext();
    PlayEnhMetaFile(dc, preview.queue[0], &area);
    EnterContext();
  }
  EndPaint(window, &paint);
}

void Scroll(HWND window, Preview& preview, int bar, WPARAM wParam) {
  bool horizontal = bar == SB_HORZ;
  LONG& position = horizontal ? preview.position.x : preview.position.y;
  int client = horizontal ? preview.client.cx : preview.client.cy;
  int range = std::max<int>(0, (horizontal ? preview.page.cx : preview.page.cy) - client);
  int step;
  switch (LOWORD(wParam)) {
    case SB_LINELEFT: step = -kLineStep; break;
    case SB_LINERIGHT: step = kLineStep; break;
    case SB_PAGELEFT: step = -(client - kLineStep); break;
    case SB_PAGERIGHT: step = client - kLineStep; break;
    case SB_THUMBTRACK: step = static_cast<int>(HIWORD(wParam)) - position; break;
    default: return;
  }
  step = std::clamp<int>(step, -position, range - position);
  if (step == 0) return;
  position += step;
  ScrollWindow(window, horizontal ? -step : 0, horizontal ? 0 : -step, nullptr, nullptr);
  SetScrollPos(window, bar, position, TRUE);
  UpdateWindow(window);
}

void TakePage(HWND window, VodContext* context, Preview& preview, HENHMETAFILE page) {
  if (preview.queue[0]) {
    MessageBeep(0);
    std::string text = context ? LoadText(*context, preview.scroll ? 432 : 429) : "";
    CurrentUi().MessageBox(window, text, "VOD", BoxButtons::Ok, BoxIcon::Error);
    if (preview.scroll) {
      // The user reads the pages on screen while the job waits for room.
      while (preview.count > 2 && IsWindow(window) && CurrentUi().DispatchWaitingMessages()) {
      }
    } else {
      DeleteShown(context, preview);
    }
  }
  if (!IsWindow(window)) {
    DeleteEnhMetaFile(page);
    return;
  }
  if (preview.scroll) {
    preview.queue[std::min(preview.count, kQueueSlots - 1)] = page;
    if (++preview.count == 1) InvalidateRect(window, nullptr, TRUE);
  } else {
    preview.queue[0] = page;
    InvalidateRect(window, nullptr, TRUE);
  }
}

void LastPage(HWND window, VodContext* context, Preview& preview) {
  if (preview.queue[0]) {
    MessageBeep(0);
    std::string text = context ? LoadText(*context, preview.scroll ? 428 : 431) : "";
    CurrentUi().MessageBox(window, text, "VOD", BoxButtons::Ok, BoxIcon::Information);
  }
  preview.lastPage = true;
}

void Close(HWND window, VodContext* context, Preview& preview) {
  if (preview.scroll && preview.count > 1) {
    DeleteShown(context, preview);
    std::move(preview.queue.begin() + 1, preview.queue.end(), preview.queue.begin());
    preview.queue.back() = nullptr;
    --preview.count;
    InvalidateRect(window, nullptr, TRUE);
    return;
  }
  if (context && preview.scroll && preview.lastPage &&
      CurrentUi().MessageBox(window, LoadText(*context, 327), "VOD", BoxButtons::YesNo, BoxIcon::Warning) ==
          BoxAnswer::No)
    return;
  if (context && !preview.lastPage)
    CurrentUi().MessageBox(window, LoadText(*context, 413), "VOD", BoxButtons::Ok, BoxIcon::Warning);
  DeleteShown(context, preview);
  preview.count = 0;
  if (!context || !context->printDialog) {
    DestroyWindow(window);
    return;
  }
  // The caller hears how the job ended: a job still running is cancelled.
  if (context->jobState == kJobRunning) context->jobState = kJobCancelled;
  PostMessage(context->printDialog, WM_COMMAND, IDCANCEL, 0);
  if (context->asyncDialog) NotifyCaller(*context, context->jobState);
}

void Destroy(HWND window, VodContext* context, Preview* preview) {
  SetWindowLongPtr(window, GWLP_USERDATA, 0);
  if (preview)
    for (HENHMETAFILE page : preview->queue)
      if (page) DeleteEnhMetaFile(page);
  delete preview;
  if (context && context->previewWindow == window) context->previewWindow = nullptr;
}

}  // namespace

void SetPreviewPageSize(HWND window, SIZE page) {
  Preview* preview = PreviewOf(window);
  if (!preview) return;
  preview->page = page;
  if (preview->scroll) SetRanges(window, *preview, page);
}

bool PreviewShowsPage(HWND window) {
  Preview* preview = PreviewOf(window);
  return preview && preview->queue[0];
}

int PreviewQueuedPages(HWND window) {
  Preview* preview = PreviewOf(window);
  return preview ? preview->count : 0;
}

POINT PreviewScrollPosition(HWND window) {
  Preview* preview = PreviewOf(window);
  return preview ? preview->position : POINT{0, 0};
}

}  // namespace vod

extern "C" LRESULT Bildschirm(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  vod::ContextScope scope;
  vod::VodContext* context = scope.get();
  if (message == WM_CREATE) {
    vod::Create(window, context);
    return 0;
  }
  vod::Preview* preview = vod::PreviewOf(window);
  if (!preview) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      preview->client = SIZE{LOWORD(lParam), HIWORD(lParam)};
      if (preview->scroll)
        vod::SetRanges(window, *preview,
                       SIZE{preview->page.cx - preview->client.cx, preview->page.cy - preview->client.cy});
      return 0;
    case WM_PAINT: vod::Paint(window, *preview); return 0;
    case WM_HSCROLL: vod::Scroll(window, *preview, SB_HORZ, wParam); return 0;
    case WM_VSCROLL: vod::Scroll(window, *preview, SB_VERT, wParam); return 0;
    case WM_VOD_PAGE: vod::TakePage(window, context, *preview, reinterpret_cast<HENHMETAFILE>(wParam)); return 0;
    case WM_VOD_LASTPAGE: vod::LastPage(window, context, *preview); return 0;
    case WM_CLOSE: vod::Close(window, context, *preview); return 0;
    case WM_DESTROY: vod::Destroy(window, context, preview); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}
