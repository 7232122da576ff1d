#include "CImageDib.h"

#include <cstring>

#include "VodPictureLibraries.h"
#include "VodUi.h"
#include "interfaces/Decoder.h"
#include "mfc/CWaitCursor.h"
#include "win32/Module.h"

IMPLEMENT_DYNCREATE(CImageDib, CObject)

bool CImageDib::s_showErrors = false;

namespace {

// One decoder interface serves every picture of the process.
DECODER_HANDLE SharedDecoder(vod::VodPictureLibraries& libraries) {
  static DECODER_HANDLE decoder = libraries.DDIB_NewDecoderInterface();
  return decoder;
}

}  // namespace

CImageDib::CImageDib() : m_libraries(vod::VodPictureLibraries::Shared()) {
  SharedDecoder(m_libraries);
  m_picture = m_libraries.DDIB_New();
  m_hotspots = m_libraries.HS_New();
}

CImageDib::~CImageDib() {
  if (m_picture) m_libraries.DDIB_Delete(m_picture);
  if (m_hotspots) m_libraries.HS_Delete(m_hotspots);
}

int CImageDib::Loaded(int result) {
  if (result) {
    int size[2] = {0, 0};
    m_libraries.DDIB_GetSize(m_picture, size);
    if (m_hotspots) m_libraries.HS_SetImageSize(m_hotspots, size[0], size[1]);
  }
  return result;
}

int CImageDib::Load(const char* file, int* code) {
  CWaitCursor wait;
  int error = 0;
  int result = m_libraries.DDIB_ImageLoad(m_picture, SharedDecoder(m_libraries), file, &m_bitCount, &error, m_hotspots);
  if (code) *code = error;
  return Loaded(result);
}

int CImageDib::LoadResource(int id, int* code) {
  CWaitCursor wait;
  int error = 0;
  int result = m_libraries.DDIB_ImageLoadResource(m_picture, SharedDecoder(m_libraries), id,
                                                  GetModuleHandle("QorVod32.dll"), &m_bitCount, &error);
  if (code) *code = error;
  return Loaded(result);
}

void CImageDib::Reset() {
  if (m_hotspots) m_libraries.HS_DeleteHotspots(m_hotspots);
  if (m_picture) m_libraries.DDIB_Delete(m_picture);
  m_picture = m_libraries.DDIB_New();
  m_bitCount = 0;
}

int CImageDib::CopyToClipboard() { return m_picture ? m_libraries.DDIB_ImageCopyToClipboard(m_picture) : 0; }

int CImageDib::Exists() { return m_picture ? m_libraries.DDIB_ImageExists(m_picture) : 0; }

void CImageDib::GetSize(int& width, int& height) {
  int size[2] = {0, 0};
  if (m_picture) m_libraries.DDIB_GetSize(m_picture, size);
  width = size[0];
  height = size[1];
}

BITMAPINFO* CImageDib::GetBMI() { return m_picture ? m_libraries.DDIB_GetBMI(m_picture) : nullptr; }

BYTE* CImageDib::GetBits() { return m_picture ? m_libraries.DDIB_GetBits(m_picture) : nullptr; }

BYTE* CImageDib::GetBitLine(int row) { return m_picture ? m_libraries.DDIB_GetBitLine(m_picture, row) : nullptr; }

bool CImageDib::To24Bit() {
  BITMAPINFO* info = GetBMI();
  BYTE* out = GetBits();
  if (m_bitCount != 32 || !info || !out) return false;
  BITMAPINFOHEADER& header = info->bmiHeader;
  int width = header.biWidth, height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  // Rows are written from the start of the pixels, the bottom row first;
  // three bytes are written for every four read, so the writing never
  // overtakes the reading.
  for (int row = height - 1; row >= 0; --row) {
    const BYTE* in = GetBitLine(row);
    if (!in) return false;
    BYTE* at = out;
    for (int x = 0; x < width; ++x, in += 4) {
      *at++ = in[0];
      *at++ = in[1];
      *at++ = in[2];
    }
    std::memset(at, 0, out + stride - at);
    out += stride;
  }
  m_bitCount = 24;
  header.biBitCount = 24;
  if (header.biSizeImage) header.biSizeImage = static_cast<DWORD>(stride * height);
  return true;
}

void CImageDib::ShowDecoderError(int code) {
  if (code == 0 || !s_showErrors) return;
  vod::CurrentUi().MessageBox(nullptr, DecoderErrorText(code), "VOD", vod::BoxButtons::Ok, vod::BoxIcon::Error);
}
