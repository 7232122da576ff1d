#include "VodPrinterOutput.h"

#include "VodContext.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodStrings.h"
#include "interfaces/QorVod32.h"
#include "win32/Errors.h"
#include "win32/GdiPrint.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

constexpr size_t kDocumentNameLimit = 31;
constexpr size_t kShortPathLimit = 25;
constexpr const char* kDocumentPrefix = "VOD: ";
constexpr const char* kElision = "...\\";
constexpr DWORD kPrinterBusy = 170;
constexpr int kTitleLimit = 256;

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct SpoolerFailure {
  int result, text, code;
};
constexpr SpoolerFailure kSpoolerFailures[] = {
    {SP_ERROR, 280, 5},       {SP_APPABORT, 281, 6},      {SP_USERABORT, 282, 7},
    {SP_OUTOFDISK, 283, 8},   {SP_OUTOFMEMORY, 284, 9},   {-20, 280, 11},
};

}  // namespace

std::string DocumentName(const std::string& script) {
  std::string name = kDocumentPrefix + script;
  if (name.size() < kDocumentNameLimit + 1) return name;
  std::string file = FileNameOf(script);
  std::string prefix = kDocumentPrefix;
  if (prefix.size() + file.size() < kShortPathLimit) {
    size_t room = kDocumentNameLimit - prefix.size() - file.size() - std::string(kElision).size();
    return prefix + script.substr(0, room) + kElision + file;
  }
  return (prefix + file).substr(0, kDocumentNameLimit);
}

std::string DocumentTitle(HWND owner, const std::string& script) {
  char title[kTitleLimit] = "";
  if (owner && IsWindow(owner)) GetWindowText(owner, title, sizeof title);
  std::string name = title;
  Trim(name);
  return name.empty() ? DocumentName(script) : name;
}

std::string PrintFileName(const std::string& script, std::string folder) {
  std::string name = script;
  if (!folder.empty()) {
    if (folder.back() != '\\') folder += '\\';
    name = folder + FileNameOf(script);
  }
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && name.size() - dot == 4 && name.find_first_of("\\/", dot) == std::string::npos)
    name.erase(dot);
  return name + ".prn";
}

bool VodPrinterOutput::TakeDevice(VodContext& context) {
  context.page = PageMetrics{static_cast<DWORD>(GetDeviceCaps(m_output, HORZSIZE) * 10),
                             static_cast<DWORD>(GetDeviceCaps(m_output, VERTSIZE) * 10),
                             static_cast<DWORD>(GetDeviceCaps(m_output, HORZRES)),
                             static_cast<DWORD>(GetDeviceCaps(m_output, VERTRES))};
  context.resolutionX = GetDeviceCaps(m_output, LOGPIXELSX);
  context.resolutionY = GetDeviceCaps(m_output, LOGPIXELSY);
  int offsetX = GetDeviceCaps(m_output, PHYSICALOFFSETX);
  int offsetY = GetDeviceCaps(m_output, PHYSICALOFFSETY);
  context.drawing.offset = POINT{context.resolutionX ? -MulDiv(offsetX, 254, context.resolutionX) : 0,
                                 context.resolutionY ? -MulDiv(offsetY, 254, context.resolutionY) : 0};
  return context.page.deviceWidth > 0 && context.page.deviceHeight > 0;
}

bool VodPrinterOutput::StartDocument(VodContext& context) {
  std::string name = DocumentTitle(context.owner, context.scriptPath);
  std::string file;
  if (context.printer.printToFile && context.settings.noDialog)
    file = PrintFileName(context.scriptPath, ReadVodKey(context, nullptr, "OutputPfad", ""));
  DOCINFO info{sizeof(DOCINFO), name.c_str(), file.empty() ? nullptr : file.c_str(), nullptr, 0};
  bool retried = false, busyReported = false;
  while (true) {
    if (StartDoc(m_output, &info) > 0) return true;
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_HANDLE && !retried) {
      retried = true;
      continue;
    }
    if (error == kPrinterBusy && context.jobState == kJobRunning) {
      if (!busyReported) ReportText(context, 43);
      busyReported = true;
      if (PumpMessages()) continue;
    }
    ReleaseDC(context);
    if (error != kPrinterBusy) ReportErrorInt(context, 42, static_cast<int>(error));
    return false;
  }
}

bool VodPrinterOutput::Open(VodContext& context) {
  context.lastError = LoadText(context, 402);
  m_output = context.useCallerDC ? context.callerDC : context.printer.Choose(nullptr, nullptr, nullptr);
  if (!m_output) {
    if (context.jobState == kJobRunning) ReportErrorInt(context, 268, 16);
    return false;
  }
  m_direct = context.settings.directDrawing;
  m_pageDC = m_direct ? m_output : nullptr;
  if (!SelectDefaultFont(context)) {
    ReportInternalError(context, 208, 17);
    ReleaseDC(context);
    return false;
  }
  if (SetAbortProc(m_output, AbortProc) <= 0) ReportError(context, 41);
  if (!TakeDevice(context) || !StartDocument(context)) {
    if (m_output) ReleaseDC(context);
    if (context.jobState == kJobRunning) context.jobState = kJobError;
    return false;
  }
  m_documentStarted = true;
  m_open = true;
  if (!m_direct && !CreatePageMetafile(context, 15)) return false;
  if (!SelectGreyPalette(context)) return false;
  UseContexts(context);
  return true;
}

bool VodPrinterOutput::TurnToForm(VodContext& context) {
  if (context.useCallerDC || !context.printer.Turn(m_output, context.printer.FormOrientation())) return false;
  TakeDevice(context);
  return true;
}

bool VodPrinterOutput::BeginPage(VodContext& context) {
  if (!m_direct) {
    // Nothing is recorded yet: the recording takes the turned page's size.
    if (TurnToForm(context)) {
      DeletePage(context, ClosePageMetafile(context, 21), 22);
      if (!CreatePageMetafile(context, 13)) return false;
    }
    return m_pageDC != nullptr;
  }
  if (m_pageStarted) return true;
  TurnToForm(context);
  int result = StartPage(m_output);
  if (!SpoolerResult(context, result)) return false;
  m_pageStarted = true;
  SelectGreyPalette(context);
  return true;
}

bool VodPrinterOutput::SpoolerResult(VodContext& context, int result) {
  if (result > 0) return true;
  for (const SpoolerFailure& failure : kSpoolerFailures)
    if (failure.result == result) {
      ReportInternalError(context, failure.text, failure.code);
      if (result == SP_USERABORT) context.jobState = kJobCancelled;
    }
  if (context.jobState == kJobRunning) context.jobState = kJobError;
  return false;
}

bool VodPrinterOutput::OutputPage(VodContext& context) {
  if (m_direct) {
    m_pageStarted = false;
    int result = EndPage(m_output);
    return SpoolerResult(context, result) && PumpMessages();
  }
  HENHMETAFILE page = ClosePageMetafile(context, 1);
  if (!page) return false;
  bool printed = PumpMessages();
  if (printed) {
    ShowStatusText(context, 401);
    // A form changed since the page began turns the paper; the page plays
    // at the size it was recorded at.
    RECT area{0, 0, static_cast<LONG>(context.page.deviceWidth), static_cast<LONG>(context.page.deviceHeight)};
    TurnToForm(context);
    printed = SpoolerResult(context, StartPage(m_output));
    if (printed) {
      SetTextAlign(m_output, TA_TOP | TA_LEFT);
      SetMapMode(m_output, MM_TEXT);
      LeaveContext();
      BOOL played = PlayEnhMetaFile(m_output, page, &area);
      EnterContext();
      if (!played) ReportErrorInt(context, 289, static_cast<int>(GetLastError()));
      printed = SpoolerResult(context, EndPage(m_output)) && played;
    }
  }
  DeletePage(context, page, 12);
  if (!CreatePageMetafile(context, 13)) return false;
  return printed;
}

void VodPrinterOutput::ReleaseDC(VodContext& context) {
  ReleaseObjects(context);
  if (!context.useCallerDC && m_output) DeleteDC(m_output);
  m_output = nullptr;
  context.printer.FreeDialogData();
}

void VodPrinterOutput::Close(VodContext& context) {
  ReleaseObjects(context);
  if (m_output && m_documentStarted) {
    bool failed = context.jobState != kJobRunning && context.jobState != kJobCancelled;
    if (failed) {
      if (m_pageStarted) EndPage(m_output);
      AbortDoc(m_output);
    } else {
      if (context.settings.formFeed && StartPage(m_output) > 0) EndPage(m_output);
      SpoolerResult(context, EndDoc(m_output));
    }
  }
  m_documentStarted = m_pageStarted = false;
  ReleaseDC(context);
  m_open = false;
}

}  // namespace vod
