// The hotspots of one picture and how they are shown: zoom and scaling,
// hit test with the nearest centre winning, drawing styles and colours,
// labels, selection, and storage in picture files.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CPtrArray.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CDC;
class CWnd;
class CPalette;
class CFont;
class CHotspot;

class CHotspots : public CObject {
  DECLARE_DYNCREATE(CHotspots)
  friend class CHotspot;

 public:
  CHotspots();
  ~CHotspots() override;
  CHotspots(const CHotspots&) = delete;
  CHotspots& operator=(const CHotspots&) = delete;

  void SetImageSize(int width, int height);
  int Zoom(int width, int height);
  int Scale(int width, int height);

  int OnDraw(CDC* dc, int dx, int dy);
  int OnMouseMove(CWnd* window, int scrollX, int scrollY, int ignored, int x, int y, CPalette* palette);
  int ClearHotspots(CWnd* window, int scrollX, int scrollY, CPalette* palette);
  int SetNotVisible();
  int GetActiveHotspot() const;

  int ActivateHotspot(const char* name, BOOL on, CWnd* window, int scrollX, int scrollY, CPalette* palette);
  int ActivateHotspotNr(int index, BOOL on, CWnd* window, int scrollX, int scrollY, CPalette* palette);
  int SelectHotspot(const char* name, BOOL on, CWnd* window, int scrollX, int scrollY, int ignored);
  int SelectHotspotNr(int index, BOOL on, CWnd* window, int scrollX, int scrollY, int ignored);
  int IsHotspotSelected(const char* name) const;
  int IsHotspotNrSelected(int index) const;
  void EnableHotspot(const char* name, BOOL on);
  void EnableHotspotNr(int index, BOOL on);

  int SetTotalNumber(int count);
  int SetHotspot(int index, int left, int top, int right, int bottom, const char* text, const char* text2,
                 int flags);
  int AddHotspot(int left, int top, int right, int bottom, const char* text, const char* text2, int flags);
  int DeleteHotspot(int index);
  void DeleteHotspots();
  int GetHotspot(int index, RECT& rect, CString*& text, CString*& text2, BYTE& mode);
  int SetColorMode(int index, int mode);

  void DrawSettings(int style, int shape, int penWidth, int count, const COLORREF* colours,
                    const COLORREF* activeColours);
  void FrameSettings(int frameWidth, int invertWidth);
  int SetTextMode(int mode);
  void SetTextSettings(const char* face, int size, COLORREF colour, COLORREF highColour, int bkMode);
  int SetCaseSensitive(int on);
  int HotspotsExists() const { return m_nCount != 0; }
  int GetNumberOfHotspots() const { return m_nCount; }

  int FileWriteHotspots(CString file);
  int FileReadHotspots(CString file);
  int SaveFile(CString file);

  // The hotspot in a slot, null for a bad index or an empty slot.
  CHotspot* At(int index) const;

 private:
  BOOL IsValidIndex(int index) const { return index >= 0 && index < m_nCount; }
  BOOL NameMatches(const CHotspot& hotspot, const char* name) const;
  template <class Action>
  int ForIndexOrAll(int index, Action action);
  template <class Writer>
  int SaveThrough(Writer& writer, const CString& file);

  // Labels and their fonts, which need the platform's device contexts.
  RECT LabelRect(int left, int top, const char* text);
  void CreateMissingFonts();
  void ZoomLabelFont(int height);
  void DeleteFonts();

  int m_nDrawStyle = 1;
  int m_nShape = 1;
  int m_nPenWidth = 1;
  COLORREF m_clrNormal[256] = {};
  COLORREF m_clrActive[256] = {};
  int m_nTextMode = 0;
  int m_nFontSize = 12;
  COLORREF m_clrText = 0;
  COLORREF m_clrTextHigh = 0xFFFFFF;
  int m_nBkMode = 1;
  CFont* m_pLabelFont = nullptr;
  CFont* m_pMeasureFont = nullptr;
  int m_nFrameWidth = 0;
  int m_nInvertWidth = 0;
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
  int m_nCount = 0;
  CString m_strFontFace = "Arial";
  BOOL m_bCaseSensitive = TRUE;
  CPtrArray m_arrHotspots;
};
