// Pages to the preview window: the window is made on the first page, each
// page's metafile is handed to it, and it is told when the last page came.
#pragma once

#include "VodPageOutput.h"

namespace vod {

class VodPreviewOutput : public VodPageOutput {
 public:
  bool Open(VodContext& context) override;
  bool OutputPage(VodContext& context) override;
  void Close(VodContext& context) override;

 private:
  // The page geometry: fitted to the screen, or at the screen's resolution
  // when the window scrolls.
  void TakeGeometry(VodContext& context);
  void ReleaseWindowDC(VodContext& context);

  HWND m_window = nullptr;
};

}  // namespace vod
