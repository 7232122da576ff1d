// Recording contexts and recorded pages; playing them back is the drawing
// backend's (it draws through every drawing call).
#include "win32/EnhMetaFile.h"

#include <memory>

#include "win32/Errors.h"
#include "win32/Metafile.h"

namespace {

std::shared_ptr<layer::MetafileRecorder> RecorderOf(HDC dc) {
  auto context = layer::ObjectAs<layer::DeviceContext>(dc);
  return context ? std::dynamic_pointer_cast<layer::MetafileRecorder>(context->vector) : nullptr;
}

}  // namespace

HDC CreateEnhMetaFile(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description) {
  if (fileName) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  layer::DeviceCaps caps = layer::ScreenCaps();
  if (reference) {
    auto referenced = layer::ContextOf(reference);
    if (!referenced) return nullptr;
    if (referenced->caps) caps = *referenced->caps;
  }
  auto context = layer::NewContext();
  context->vector = std::make_shared<layer::MetafileRecorder>(caps, frame, description ? description : "");
  context->caps = std::make_shared<layer::DeviceCaps>(caps);
  context->bounds = RECT{0, 0, caps.horzRes, caps.vertRes};
  return context->handle;
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
  auto recorder = RecorderOf(dc);
  if (!recorder) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  std::shared_ptr<layer::Metafile> page = recorder->Finish();
  DeleteDC(dc);
  return reinterpret_cast<HENHMETAFILE>(layer::AddObject(page));
}

BOOL DeleteEnhMetaFile(HENHMETAFILE recording) {
  if (!layer::ObjectAs<layer::Metafile>(recording)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return DeleteObject(recording);
}

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE recording, LPCSTR fileName) {
  auto page = layer::ObjectAs<layer::Metafile>(recording);
  if (!page) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (fileName) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  // The pictures are shared: no page changes them.
  auto copy = std::make_shared<layer::Metafile>(*page);
  return reinterpret_cast<HENHMETAFILE>(layer::AddObject(copy));
}
