// The decoder of DRF pictures. The picture control reads and decodes the
// file; this plug-in tests the signature, sizes the target and hands the
// picture's hotspots on with their texts in the ANSI code page.
#pragma once

#include "imaging/decoders/CDecoder.h"
#include "interfaces/QridIMG.h"

class CDRFDecoder : public CDecoder {
  DECLARE_DYNCREATE(CDRFDecoder)

 public:
  int MakeDib(int* error) override;
  int GetFileInfo(BITMAPINFOHEADER* info, int* error) override;

  // Whether the first bytes are those of a DRF picture: file kind, flags and
  // picture type at their places.
  static bool SignatureFits(const DECODER_FILEHEAD* head);

 private:
  QORIMG_PICTURE* OpenPicture() const;
  void CopyHotspots(const QORIMG_PICTURE& picture) const;
};
