// The exports of the DRF decoder plug-in. Nothing escapes them as an exception:
// a picture too large for memory fails as an invalid file.
#include "imaging/decoders/CDRFDecoder.h"

DECODER_API int DECODER_MakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, int mode, int* error,
                                HS_HANDLE hotspots, int /*unused1*/, int /*unused2*/) {
  int ignored = 0;
  if (!error) error = &ignored;
  return RunGuarded(error, DECODER_DRF_INVALID, [&] {
    CDRFDecoder decoder;
    return decoder.RunMakeDib(path, head, target, hotspots, mode, error);
  });
}

DECODER_API int DECODER_GetFileInfo(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info,
                                    HS_HANDLE hotspots, int* error) {
  int ignored = 0;
  if (!error) error = &ignored;
  return RunGuarded(error, DECODER_DRF_INVALID, [&] {
    CDRFDecoder decoder;
    return decoder.RunGetFileInfo(path, head, info, hotspots, error);
  });
}
