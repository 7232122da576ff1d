// The order-list program's toolbar: its buttons come from the toolbar
// resource less the commands the installation hides, its tips and status
// prompts from the program texts.
#pragma once

#include <vector>

#include "mfc/CString.h"
#include "mfc/CToolBar.h"

class CProtocolApp;

class CV4PrtToolBar : public CToolBar {
  DECLARE_DYNCREATE(CV4PrtToolBar)

 public:
  CV4PrtToolBar() = default;

  CProtocolApp* m_app = nullptr;

  // The resource's buttons; a hidden command's button is left out, and the
  // buttons after it keep their own images. Flat buttons.
  BOOL LoadButtons(UINT id);
  // Tips and prompts in the program language, again after each change of it.
  void LoadTips();
  bool TipsLoaded() const { return m_tips_loaded; }
  // The text after the last line feed of a command's text; the prompt is
  // the text before the first one. Empty before the tips are loaded.
  CString TipText(UINT id) const;
  CString PromptText(UINT id) const;
  // The text number of a command's tip and prompt (0: none).
  static long TipTextNumber(UINT id);

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

 protected:
  // The bar never floats: one found floating when it paints is docked
  // back into its frame.
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CString TextOf(UINT id) const;

  bool m_tips_loaded = false;
  std::vector<CString> m_tips;  // by button position
};
