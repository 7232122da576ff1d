#include "imaging/decoders/CDecoder.h"

#include <new>

IMPLEMENT_DYNAMIC(CDecoder, CObject)

namespace {
constexpr size_t kColourTableBytes = 1024;
}

int CDecoder::MakeDib(int* /*error*/) { return 1; }

int CDecoder::GetFileInfo(BITMAPINFOHEADER* /*info*/, int* /*error*/) { return 1; }

BYTE* CDecoder::ColourTable() {
  if (!m_colours) m_colours.reset(new (std::nothrow) BYTE[kColourTableBytes]());
  return m_colours.get();
}

int CDecoder::RunMakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, HS_HANDLE hotspots, int mode,
                         int* error) {
  m_fileName = path ? path : "";
  m_pHead = head;
  m_dib = target;
  m_hotspots = hotspots;
  m_mode = mode;
  m_colours.reset();
  m_busy = TRUE;
  const int result = MakeDib(error);
  m_busy = FALSE;
  m_colours.reset();
  return result;
}

int CDecoder::RunGetFileInfo(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info, HS_HANDLE hotspots,
                             int* error) {
  m_fileName = path ? path : "";
  m_pHead = head;
  m_hotspots = hotspots;
  m_busy = TRUE;
  const int result = GetFileInfo(info, error);
  m_busy = FALSE;
  return result;
}
