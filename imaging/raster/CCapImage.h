// A CAP vector picture: numbered labels and polylines on a 1024 x 1024 grid,
// read whole from a ".cap", ".ca3" or ".ca4" file, fitted into a standard size
// and scaled to the zoom size. Every label becomes a hotspot.
#pragma once

#include <vector>

#include "interfaces/QridHtSp.h"
#include "mfc/CObject.h"
#include "win32/GdiTypes.h"

class CPalette;

class CCapImage : public CObject {
  DECLARE_DYNAMIC(CCapImage)

 public:
  struct Label {
    short x;
    short y;
    WORD number;
  };

  CCapImage();
  ~CCapImage() override;
  CCapImage(const CCapImage&) = delete;
  CCapImage& operator=(const CCapImage&) = delete;

  // 1 when loaded; 0 with the file exception's cause in *error when the file
  // does not open, 0 alone when it cannot be read whole.
  int Load(const char* path, HS_HANDLE hotspots, int* error);
  COLORREF SetBkColor(COLORREF colour, int extra);
  // 1 with the palette when there is one.
  int GetPalette(CPalette** palette) const;
  int GetStandardSize(int* width, int* height) const;
  int GetZoomSize(int* width, int* height) const;
  // 0 when there is nothing to scale.
  int Scale(int width, int height);
  // The scaled polylines offset by (x, y), with a thin black pen.
  void Draw(HDC dc, int x, int y);

  // What a copy shows: the whole drawing at its standard size or at its zoom
  // size, or a part given in standard coordinates.
  enum class Copy { Standard, Zoomed, Part };
  // A screen-compatible bitmap of width x height in the background colour
  // with the drawing on it, the part's left and top at its corner.
  HBITMAP MakeBitmap(Copy kind, int left, int top, int width, int height) const;
  // That bitmap as CF_BITMAP; 0 when the clipboard cannot be opened.
  int CopyToClipboard(Copy kind, int left, int top, int width, int height) const;
  int CopyStandardToClipboard() const;
  int CopyZoomedToClipboard() const;
  int CopyPartToClipboard(RECT part) const;

  // The library-wide standard size that new pictures take; (-1, -1) makes
  // each drawing take its own extent.
  static void SetStandardSize(int width, int height);
  // The text a label number is shown with: "17B" for 2017.
  static CString LabelText(WORD number);

  const std::vector<Label>& Labels() const { return m_labels; }
  const std::vector<POINT>& Points() const { return m_points; }
  const std::vector<POINT>& ScaledPoints() const { return m_scaled; }
  const std::vector<int>& PolylineLengths() const { return m_lengths; }
  const std::vector<PALETTEENTRY>& PaletteEntries() const { return m_palette; }
  POINT Origin() const { return POINT{m_originX, m_originY}; }

 private:
  enum class Form { Plain, Nibbles };

  void ReadLabels(const std::vector<BYTE>& bytes, bool hasCount, size_t& drawingStart);
  void ReadPlainDrawing(const BYTE* at, const BYTE* end);
  void ReadNibbleDrawing(const BYTE* at, const BYTE* end);
  void AddPoint(int x, int y, bool startsPolyline);
  void ClosePolyline();
  void ComputeExtent();
  void Centre();
  void MakeHotspots();
  void DrawPoints(HDC dc, const std::vector<POINT>& points, int x, int y) const;

  std::vector<Label> m_labels;
  std::vector<POINT> m_points;
  std::vector<POINT> m_scaled;
  std::vector<int> m_lengths;
  int m_committed = 0;
  int m_standardWidth;
  int m_standardHeight;
  int m_zoomWidth;
  int m_zoomHeight;
  HS_HANDLE m_hotspots = nullptr;
  int m_originX = 0;
  int m_originY = 0;
  int m_minX = 2000, m_minY = 2000, m_maxX = 0, m_maxY = 0;
  int m_bkExtra = 0;
  COLORREF m_bkColor = 0xFFFFFF;
  std::vector<PALETTEENTRY> m_palette;
  CPalette* m_pPalette = nullptr;
};
