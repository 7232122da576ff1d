#include "VodPreviewOutput.h"

#include "VodContext.h"
#include "VodFormFile.h"
#include "VodLibrary.h"
#include "VodPreviewWindow.h"
#include "VodPump.h"
#include "VodReport.h"
#include "interfaces/QorVod32.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

// What the screen keeps for the window's caption and frame.
constexpr int kScreenAllowance = 27;

}  // namespace

void VodPreviewOutput::TakeGeometry(VodContext& context) {
  FormExtent form = FormPageSize(context.orientation, context.paper);
  DWORD width, height;
  if (context.settings.previewScroll) {
    context.resolutionX = GetDeviceCaps(m_output, LOGPIXELSX);
    context.resolutionY = GetDeviceCaps(m_output, LOGPIXELSY);
    width = static_cast<DWORD>(MulDiv(static_cast<int>(form.width), context.resolutionX, 254));
    height = static_cast<DWORD>(MulDiv(static_cast<int>(form.height), context.resolutionY, 254));
  } else {
    width = static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN));
    height = static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN) - kScreenAllowance);
    context.resolutionX = MulDiv(static_cast<int>(width), 254, static_cast<int>(form.width));
    context.resolutionY = MulDiv(static_cast<int>(height), 254, static_cast<int>(form.height));
  }
  context.page = PageMetrics{form.width, form.height, width, height};
  context.drawing.offset = POINT{0, 0};
}

bool VodPreviewOutput::Open(VodContext& context) {
  if (!context.previewWindow || !IsWindow(context.previewWindow)) {
    DWORD style = WS_OVERLAPPEDWINDOW | (context.settings.previewScroll ? WS_HSCROLL | WS_VSCROLL : 0);
    context.previewWindow = CreateWindow(VOD_PREVIEW_CLASS, "VOD - Bildschirmausdruck", style, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                         LibraryInstance(), nullptr);
    if (!context.previewWindow) {
      ReportInternalError(context, 264, 18);
      return false;
    }
  }
  m_window = context.previewWindow;
  if (context.printDialog) SetActiveWindow(context.printDialog);
  m_output = GetDC(m_window);
  TakeGeometry(context);
  SetPreviewPageSize(m_window, SIZE{static_cast<LONG>(context.page.deviceWidth),
                                    static_cast<LONG>(context.page.deviceHeight)});
  m_open = true;
  if (!CreatePageMetafile(context, 18)) return false;
  if (!SelectDefaultFont(context)) {
    ReportInternalError(context, 208, 19);
    if (!PreviewShowsPage(m_window)) {
      ReleaseWindowDC(context);
      DestroyWindow(m_window);
      context.previewWindow = m_window = nullptr;
    }
    return false;
  }
  return SelectGreyPalette(context);
}

bool VodPreviewOutput::OutputPage(VodContext& context) {
  HENHMETAFILE page = ClosePageMetafile(context, 1);
  if (!page) return false;
  bool handedOn = false;
  if (PumpMessages()) {
    if (context.previewWindow && IsWindow(context.previewWindow)) {
      LeaveContext();
      SendMessage(context.previewWindow, WM_VOD_PAGE, reinterpret_cast<WPARAM>(page), 0);
      ShowWindow(context.previewWindow, SW_SHOWMAXIMIZED);
      EnterContext();
      handedOn = true;
    } else {
      ReportInternalError(context, 264, 18);
    }
  }
  if (!handedOn) DeletePage(context, page, 12);
  if (!CreatePageMetafile(context, 13)) return false;
  return handedOn && context.jobState == kJobRunning;
}

void VodPreviewOutput::ReleaseWindowDC(VodContext& context) {
  ReleaseObjects(context);
  if (m_output && m_window) ::ReleaseDC(m_window, m_output);
  m_output = nullptr;
}

void VodPreviewOutput::Close(VodContext& context) {
  ReleaseWindowDC(context);
  if (context.jobState == kJobRunning && context.previewWindow && IsWindow(context.previewWindow))
    SendMessage(context.previewWindow, WM_VOD_LASTPAGE, 0, 0);
  m_window = nullptr;
  m_open = false;
}

}  // namespace vod
