// A device-independent bitmap: one block with the 40-byte header, the colour
// table and the bottom-up pixels, an array of line starts (entry 0 is the top
// line) and the display palette.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "mfc/CObject.h"
#include "win32/GdiTypes.h"

class CDynBuf;
class CPalette;

class CDib : public CObject {
  DECLARE_DYNAMIC(CDib)

 public:
  CDib();
  ~CDib() override;
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  virtual DWORD GetDIBSize() const;
  virtual int CalcBytesPerLine(int width, int bits) const;
  virtual int GetBytesPerLine() const;
  // Allocation failures raise the class library's memory exception.
  virtual BOOL CreateFromInfo(const BITMAPINFOHEADER* header);
  virtual BOOL Create(int width, int height, int bits, int unused, int coloursUsed);
  virtual BOOL CreateSpecialWidth(int width, int height, int bits, int unused, int coloursUsed);
  // A bitmap resource of module, else a picture file kept as resource type
  // "Image"; FALSE when there is neither or its bytes are no picture.
  virtual BOOL LoadFromResource(UINT id, HINSTANCE module);
  // A packed bitmap of the picture part from (left, top) to (right, bottom),
  // top-down picture coordinates, in shareable movable global memory.
  virtual HGLOBAL CopyPartToGlobal(int left, int top, int right, int bottom) const;
  virtual HGLOBAL CopyToGlobal() const;
  virtual void Free();
  virtual void InitPointers();
  virtual void BuildLineArray();

  // Drawing through a device context: 1:1, stretched by a factor, and a part
  // of the picture (top-down coordinates) without stretching.
  virtual void Draw(HDC dc, int x, int y, DWORD rop);
  virtual void StretchDraw(HDC dc, int x, int y, double factor, DWORD rop);
  virtual void DrawToDevice(HDC dc, int x, int y, int left, int top, int right, int bottom);

  // The whole picture or a part as CF_DIB; FALSE when the clipboard cannot
  // be opened, which is then left as it was.
  BOOL CopyToClipboard() const;
  BOOL CopyPartToClipboard(int left, int top, int right, int bottom) const;

  void BitsClear();
  // Copies as many colours as the colour table holds and returns that count.
  int SetPalette(const RGBQUAD* colours);
  void SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue, BYTE reserved);

  // The display palette: from the colour table, the quantised colours of a
  // true-colour picture or the palette of a reduced copy.
  void MakePalette();
  // White pixels show in the background colour; returns the previous colour.
  COLORREF SetBkColor(COLORREF colour, int extra);
  void MixPalette(int pictureBits, const CDib* partner);
  // Makes this picture a copy of source at width x height.
  BOOL ZoomCopy(CDib* source, int width, int height, const CDynBuf* sideData, int sideDataValid);

  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  int GetBitCount() const { return m_bitCount; }
  int GetColorCount() const;
  BITMAPINFO* GetBMI() const { return m_pBMI; }
  BYTE* GetBits() const { return m_pBits; }
  RGBQUAD* GetColorTable() const { return m_pColors; }
  BYTE** GetLineArray() { return m_lines.data(); }
  BYTE* GetLine(int line) const { return line >= 0 && line < m_height ? m_lines[line] : nullptr; }
  int GetReducedKind() const { return m_reducedKind; }
  COLORREF GetBkColor() const { return m_bkColor; }
  int GetBkExtra() const { return m_bkExtra; }
  // The entries of the display palette; empty until MakePalette.
  const std::vector<PALETTEENTRY>& GetPaletteEntries() const { return m_paletteEntries; }
  const RGBQUAD* GetQuantisedColors() const { return m_quantised.get(); }
  // The display palette as a drawing object; null until MakePalette.
  CPalette* GetPalette() const { return m_pPalette; }

 private:
  size_t ColourTableBytes() const;
  BOOL CreateFromPacked(std::span<const BYTE> packed, std::optional<size_t> pixelsAt);
  void MakeReducedPalette();
  void MakeColourPalette();
  void FindWhiteEntries();
  void ApplyBackground();
  void UpdatePaletteObject();
  void DrawStretched(HDC dc, int x, int y, int width, int height, DWORD rop);
  void ZoomEightBit(const CDib& source);
  void ZoomBilevelUp(const CDib& source);
  void ZoomBilevelDown(const CDib& source, const CDynBuf* sideData, int sideDataValid);
  void ZoomOther(const CDib& source);
  void SetReducedColours(const CDib& source);
  RGBQUAD SourceColour(const CDib& source, int x, int line) const;

  int m_width = 0;
  int m_height = 0;
  WORD m_bitCount = 0;
  RGBQUAD* m_pColors = nullptr;
  BYTE* m_pBits = nullptr;
  std::vector<BYTE*> m_lines;
  std::unique_ptr<RGBQUAD[]> m_quantised;
  int m_bkExtra = 0;
  COLORREF m_bkColor = 0xFFFFFF;
  BITMAPINFO* m_pBMI = nullptr;
  size_t m_blockBytes = 0;
  std::vector<PALETTEENTRY> m_paletteEntries;
  CPalette* m_pPalette = nullptr;
  int m_reducedKind = 0;
  int m_whiteEntry = -1;
  int m_whitePaletteEntry = -1;
};
