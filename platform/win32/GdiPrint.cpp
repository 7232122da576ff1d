// Printer device contexts, documents and pages, escapes and the mapping mode.
#include "win32/GdiPrint.h"

#include <cstring>
#include <memory>

#include "win32/Errors.h"
#include "win32/GdiObjects.h"
#include "win32/Mbstring.h"
#include "win32/PrinterContext.h"

namespace {

std::shared_ptr<layer::PrinterContext> PrinterOf(HDC dc) {
  auto context = layer::ContextOf(dc);
  return context ? std::dynamic_pointer_cast<layer::PrinterContext>(context->vector) : nullptr;
}

// The capabilities and the drawable area follow the printer's settings.
void Describe(layer::DeviceContext& context, const layer::PrinterContext& printer) {
  auto caps = std::make_shared<layer::DeviceCaps>(printer.Caps());
  context.bounds = RECT{0, 0, caps->horzRes, caps->vertRes};
  context.caps = caps;
}

HDC PrinterDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode, bool informationOnly) {
  bool display = (device && _stricmp(device, "DISPLAY") == 0) || (!device && driver && _stricmp(driver, "DISPLAY") == 0);
  if (display) return GetDC(nullptr);
  auto printer = device ? layer::FindPrinter(device) : std::nullopt;
  if (!printer) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return nullptr;
  }
  DEVMODE settings = layer::DefaultMode(*printer);
  if (!layer::MergeMode(*printer, settings, mode)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto target = std::make_shared<layer::PrinterContext>(std::move(*printer), settings, port ? port : "", informationOnly);
  auto context = layer::NewContext();
  context->vector = target;
  Describe(*context, *target);
  return context->handle;
}

// Both results of a printer escape that answers with a point.
int AnswerPoint(const layer::DeviceContext& context, int x, int y, LPVOID output, int outputSize) {
  if (!output || outputSize < static_cast<int>(sizeof(POINT))) return 0;
  POINT answer{context.caps->Get(x), context.caps->Get(y)};
  std::memcpy(output, &answer, sizeof answer);
  return 1;
}

int PrinterEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPVOID output) {
  auto context = layer::ContextOf(dc);
  if (!context || !PrinterOf(dc)) return 0;
  switch (escape) {
    case QUERYESCSUPPORT: {
      if (!input || inputSize < static_cast<int>(sizeof(int))) return 0;
      int asked;
      std::memcpy(&asked, input, sizeof asked);
      return asked == QUERYESCSUPPORT || asked == GETPHYSPAGESIZE || asked == GETPRINTINGOFFSET ? 1 : 0;
    }
    case GETPHYSPAGESIZE: return AnswerPoint(*context, PHYSICALWIDTH, PHYSICALHEIGHT, output, outputSize);
    case GETPRINTINGOFFSET: return AnswerPoint(*context, PHYSICALOFFSETX, PHYSICALOFFSETY, output, outputSize);
    default: return 0;
  }
}

}  // namespace

HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode) {
  return PrinterDC(driver, device, port, mode, false);
}

HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode) {
  return PrinterDC(driver, device, port, mode, true);
}

HDC ResetDC(HDC dc, const DEVMODE* mode) {
  auto context = layer::ContextOf(dc);
  auto printer = PrinterOf(dc);
  if (!printer || !printer->Reset(mode)) return nullptr;
  Describe(*context, *printer);
  return dc;
}

int StartDoc(HDC dc, const DOCINFO* info) {
  auto printer = PrinterOf(dc);
  if (!printer || !info) {
    SetLastError(ERROR_INVALID_HANDLE);
    return SP_ERROR;
  }
  return printer->StartDocument(dc, *info);
}

int StartPage(HDC dc) {
  auto printer = PrinterOf(dc);
  return printer ? printer->StartPage() : SP_ERROR;
}

int EndPage(HDC dc) {
  auto printer = PrinterOf(dc);
  return printer ? printer->EndPage(dc) : SP_ERROR;
}

int EndDoc(HDC dc) {
  auto printer = PrinterOf(dc);
  return printer ? printer->EndDocument(dc) : SP_ERROR;
}

int AbortDoc(HDC dc) {
  auto printer = PrinterOf(dc);
  return printer ? printer->AbortDocument() : SP_ERROR;
}

int SetAbortProc(HDC dc, ABORTPROC procedure) {
  auto printer = PrinterOf(dc);
  if (!printer) return SP_ERROR;
  printer->SetAbortProcedure(procedure);
  return 1;
}

int Escape(HDC dc, int escape, int inputSize, LPCSTR input, LPVOID output) {
  return PrinterEscape(dc, escape, inputSize, input, static_cast<int>(sizeof(POINT)), output);
}

int ExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output) {
  return PrinterEscape(dc, escape, inputSize, input, outputSize, output);
}

int SetMapMode(HDC dc, int mode) {
  auto context = layer::ContextOf(dc);
  if (!context) return 0;
  if (mode != MM_TEXT) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  int old = context->state.mapMode;
  context->state.mapMode = mode;
  return old;
}

int GetMapMode(HDC dc) {
  auto context = layer::ContextOf(dc);
  return context ? context->state.mapMode : 0;
}

namespace {

// In MM_TEXT a logical unit is a device pixel: extents stay one to one.
BOOL OneToOne(HDC dc, LPSIZE extent) {
  if (!layer::ContextOf(dc)) return FALSE;
  if (extent) *extent = SIZE{1, 1};
  return TRUE;
}

}  // namespace

BOOL SetViewportExtEx(HDC dc, int, int, LPSIZE old) { return OneToOne(dc, old); }
BOOL SetWindowExtEx(HDC dc, int, int, LPSIZE old) { return OneToOne(dc, old); }
BOOL GetViewportExtEx(HDC dc, LPSIZE extent) { return OneToOne(dc, extent); }
BOOL GetWindowExtEx(HDC dc, LPSIZE extent) { return OneToOne(dc, extent); }
