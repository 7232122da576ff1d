// The parts-info window's bitmap button: four pictures from .bmp files
// (normal, selected, focus, disabled), drawn by the button itself.
#pragma once

#include <array>

#include "mfc/CButton.h"
#include "mfc/CString.h"

class CPartsInfoButton : public CButton {
 public:
  CPartsInfoButton() = default;
  ~CPartsInfoButton() override;
  CPartsInfoButton(const CPartsInfoButton&) = delete;
  CPartsInfoButton& operator=(const CPartsInfoButton&) = delete;

  // The normal picture is required; each other one is loaded when named.
  // TRUE only when every named file loaded. The earlier pictures go first.
  BOOL LoadBitmaps(const char* normal, const char* selected = nullptr, const char* focus = nullptr,
                   const char* disabled = nullptr);
  // base + "U.BMP", "D.BMP", "F.BMP", "X.BMP"; on success the button takes
  // the normal picture's size.
  BOOL LoadBitmapSet(const CString& base);
  // Takes over the dialog's item and loads the set.
  BOOL AutoLoad(UINT id, CWnd* parent, const CString& base);
  BOOL HasBitmaps() const { return m_bitmaps[kNormal] != nullptr; }

  void DrawItem(LPDRAWITEMSTRUCT item) override;

 private:
  enum { kNormal, kSelected, kFocus, kDisabled };
  void DeleteBitmaps();
  std::array<HBITMAP, 4> m_bitmaps{};
};
