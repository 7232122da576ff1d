// A picture with the zoomed copy that is shown of it: a raster picture
// decoded through the decoder manager, or a CAP vector picture.
#pragma once

#include "foundation/CDynBuf.h"
#include "imaging/raster/CCapImage.h"
#include "imaging/raster/CDib.h"
#include "interfaces/QridDcod.h"

class CDoubleDib : public CObject {
  DECLARE_DYNAMIC(CDoubleDib)

 public:
  CDoubleDib();
  ~CDoubleDib() override;
  CDoubleDib(const CDoubleDib&) = delete;
  CDoubleDib& operator=(const CDoubleDib&) = delete;

  int ImageLoad(DECODER_HANDLE decoder, const char* path, int* bitCount, int* error, HS_HANDLE hotspots);
  // A bitmap or "Image" resource of module; error 2 when it has neither.
  int ImageLoadResource(UINT id, HINSTANCE module, int* bitCount, int* error);
  // The vector picture or the zoomed copy at (x, y); 0 when there is neither.
  int OnDraw(HDC dc, int x, int y);
  int ImageZoom(int mode, int left, int top, int right, int bottom);
  // The vector picture's palette, else the zoomed copy's; 1 when there is one.
  int GetPalette(CPalette** palette) const;
  int ImageZoomRect(RECT selection, RECT target);
  int MixPalette(CDoubleDib* partner);
  int SetBkColor(COLORREF colour, int extra);
  int GetSize(int size[2]) const;
  int GetZoomSize(int size[2]) const;
  int ImageExists() const { return m_vector || m_pPicture; }
  int ImageZoomExists() const { return m_vector || m_pZoomed; }

  CDib* Picture() const { return m_pPicture; }
  CDib* Zoomed() const { return m_pZoomed; }
  CCapImage* Vector() const { return m_vector ? m_pCap : nullptr; }

  // The picture, the zoomed copy, or a part of the zoomed copy taken from the
  // picture at its resolution; 0 when there is nothing to copy.
  int ImageCopyToClipboard() const;
  int ImageZoomCopyToClipboard() const;
  int ImagePartCopyToClipboard(RECT zoomed) const;

  // A rectangle of the zoomed copy in picture coordinates, each side within
  // the picture (at most its size - 1).
  RECT PartInPicture(RECT zoomed) const;

  // The size of a zoomed copy for a zoom mode and a target of tW x tH.
  static SIZE ZoomSize(int mode, SIZE picture, int targetWidth, int targetHeight);

 private:
  void Clear();
  int TakeLoadedPicture(int* bitCount);
  void ReplaceZoomed(CDib* zoomed);
  int ZoomRaster(SIZE size);
  void MixAgain();

  CDib* m_pPicture = nullptr;
  CDib* m_pZoomed = nullptr;
  int m_mixing = 0;
  CDoubleDib* m_pPartner = nullptr;
  int m_sideDataValid = 0;
  CDynBuf m_sideData;
  int m_vector = 0;
  CCapImage* m_pCap = nullptr;
  int m_bkExtra = 0;
  COLORREF m_bkColor = 0xFFFFFF;
};
