// The exports of the BMP decoder plug-in. Nothing escapes them as an exception:
// a picture too large for memory is a decoder error like any damaged file.
#include <exception>

#include "imaging/decoders/CBmpDecoder.h"
#include "mfc/CException.h"

namespace {

template <class Call>
int Guarded(int* error, Call call) {
  try {
    return call();
  } catch (CException* exception) {
    exception->Delete();
  } catch (const std::exception&) {
  }
  *error = DECODER_BMP_NOT_BITMAP;
  return 0;
}

}  // namespace

DECODER_API int DECODER_MakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, int mode, int* error,
                                HS_HANDLE hotspots, int /*unused1*/, int /*unused2*/) {
  int ignored = 0;
  if (!error) error = &ignored;
  return Guarded(error, [&] {
    CBmpDecoder decoder;
    return decoder.RunMakeDib(path, head, target, hotspots, mode, error);
  });
}

DECODER_API int DECODER_GetFileInfo(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info,
                                    HS_HANDLE hotspots, int* error) {
  int ignored = 0;
  if (!error) error = &ignored;
  return Guarded(error, [&] {
    CBmpDecoder decoder;
    return decoder.RunGetFileInfo(path, head, info, hotspots, error);
  });
}
