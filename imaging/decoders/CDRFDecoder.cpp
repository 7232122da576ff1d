#include "imaging/decoders/CDRFDecoder.h"

#include <algorithm>
#include <cstring>

#include "mfc/CException.h"
#include "win32/OemCodepage.h"

IMPLEMENT_DYNCREATE(CDRFDecoder, CDecoder)

namespace {

constexpr size_t kTypeOffset = 20;
constexpr size_t kExtensionBytes = 50;
constexpr BYTE kExtensionFlag = 0x10;
// Every coded line of pixel data begins with its 2-byte length; the lines of
// type 6 follow the colour table, from byte 722 on. Type 8 has no lines.
constexpr unsigned long long kLineRecordBytes = 2;
constexpr unsigned long long kColourTableBytes = 722;
// No stripe of the picture control's bitmap exceeds 64 KB.
constexpr unsigned long long kStripeBytes = 65536;

bool IsOneOf(BYTE value, std::initializer_list<BYTE> allowed) {
  return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// The picture record is freed however the decoding ends.
class OpenedPicture {
 public:
  explicit OpenedPicture(QORIMG_PICTURE* picture) : m_picture(picture) {}
  ~OpenedPicture() {
    if (m_picture) QORIMG_UnloadPicture(nullptr, m_picture);
  }
  OpenedPicture(const OpenedPicture&) = delete;
  OpenedPicture& operator=(const OpenedPicture&) = delete;
  QORIMG_PICTURE* operator->() const { return m_picture; }
  QORIMG_PICTURE* Get() const { return m_picture; }

 private:
  QORIMG_PICTURE* m_picture;
};

// What a damaged header claims is checked against what the file holds
// before the target is made: every line needs at least its own record, and
// the bitmap must fit the stripes of the picture control, which would refuse
// it after the target had been made and filled.
bool ClaimsFit(const QORIMG_PICTURE& picture, WORD bits) {
  const unsigned long long height = static_cast<unsigned long long>(picture.nDrfHeight);
  const unsigned long long stride = (static_cast<unsigned long long>(picture.nDrfWidth) + 15) / 16 * 16;
  if (stride * bits / 8 * height > QORIMG_STRIPE_SLOTS * kStripeBytes) return false;
  if (picture.nDrfType == 8) return true;
  const unsigned long long lines = (picture.nDrfType == 6 ? kColourTableBytes : 0) + kLineRecordBytes * height;
  return picture.nPixelDataSize >= lines;
}

}  // namespace

bool CDRFDecoder::SignatureFits(const DECODER_FILEHEAD* head) {
  if (!head || !head->data || head->byteCount <= static_cast<LONG>(kTypeOffset)) return false;
  const BYTE* bytes = head->data;
  if (!IsOneOf(bytes[0], {1, 2, 6, 8})) return false;
  const size_t typeAt = kTypeOffset + ((bytes[1] & kExtensionFlag) ? kExtensionBytes : 0);
  return static_cast<size_t>(head->byteCount) > typeAt && IsOneOf(bytes[typeAt], {5, 6, 7, 8});
}

QORIMG_PICTURE* CDRFDecoder::OpenPicture() const {
  return QORIMG_OpenImage(nullptr, 0, nullptr, nullptr, m_fileName, 0, QORIMG_FILE_DRF, 0);
}

void CDRFDecoder::CopyHotspots(const QORIMG_PICTURE& picture) const {
  if (!m_hotspots) return;
  const int count = std::min<LONG>(picture.nHotspotCount, QORIMG_MAX_HOTSPOTS);
  HS_SetTotalNumber(m_hotspots, count);
  for (int i = 0; i < count; ++i) {
    const QORIMG_HOTSPOT& slot = picture.hotspots[i];
    char name[sizeof slot.szName + 1] = {};
    std::memcpy(name, slot.szName, sizeof slot.szName);
    char text[27] = {};
    OemToCharBuff(slot.szText2, text, std::min<DWORD>(sizeof slot.szText2, sizeof text - 1));
    const RECT& r = slot.rcWindow;
    HS_SetHotspot(m_hotspots, i, r.left, r.top, r.right, r.bottom, name, text, slot.bFlag & 3);
  }
}

// A file that the picture control cannot open or decode fails as an invalid
// DRF file; the target may then hold part of the picture.
int CDRFDecoder::MakeDib(int* error) {
  *error = 0;
  if (!SignatureFits(m_pHead)) {
    *error = DECODER_DRF_INVALID;
    return 0;
  }
  OpenedPicture picture(OpenPicture());
  WORD bits = 0, colours = 0;
  if (!picture.Get() || !QORIMG_GetDRFColorInfo(picture.Get(), &bits, &colours) || !ClaimsFit(*picture.Get(), bits)) {
    *error = DECODER_DRF_INVALID;
    return 0;
  }
  if (!DIB_CreateSpecialWidth(m_dib, picture->nDrfWidth, picture->nDrfHeight, bits, 0, colours) ||
      !QORIMG_DecodeDRF2DIB(picture.Get(), DIB_GetBMI(m_dib))) {
    *error = DECODER_DRF_INVALID;
    return 0;
  }
  CopyHotspots(*picture.Get());
  return *error == 0 ? 1 : 0;
}

int CDRFDecoder::GetFileInfo(BITMAPINFOHEADER* info, int* error) {
  *error = 0;
  OpenedPicture picture(OpenPicture());
  WORD bits = 0, colours = 0;
  if (!picture.Get() || !QORIMG_GetDRFColorInfo(picture.Get(), &bits, &colours)) {
    *error = DECODER_DRF_INVALID;
    return 0;
  }
  if (info) {
    info->biWidth = picture->nDrfWidth;
    info->biHeight = picture->nDrfHeight;
    info->biBitCount = bits;
  }
  if (m_hotspots) {
    HS_SetImageSize(m_hotspots, picture->nDrfWidth, picture->nDrfHeight);
    CopyHotspots(*picture.Get());
  }
  return 1;
}
