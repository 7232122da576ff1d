// What the printer and the preview share of page output: the output context,
// the page metafile each page is drawn into, the default font and the grey
// palette of the job.
#pragma once

#include <memory>

#include "VodPageTarget.h"
#include "win32/EnhMetaFile.h"
#include "win32/Gdi.h"

namespace vod {

class VodContext;

class VodPageOutput : public VodPageTarget {
 public:
  ~VodPageOutput() override;

  bool IsOpen() const override { return m_open; }
  bool BeginPage(VodContext& context) override;

  HDC OutputDC() const { return m_output; }
  HDC PageDC() const { return m_pageDC; }

 protected:
  // Page metafile for the output context, its page in hundredths of a
  // millimetre (failure: text 266 with code).
  bool CreatePageMetafile(VodContext& context, int failureCode);
  // Closes the page metafile (failure: text 287 with code); null when
  // there is none or it could not be closed.
  HENHMETAFILE ClosePageMetafile(VodContext& context, int failureCode);
  // Deletes a recording (failure: text 288 with code).
  void DeletePage(VodContext& context, HENHMETAFILE page, int failureCode);
  // The default font on the output and the page context.
  bool SelectDefaultFont(VodContext& context);
  // The palette of 256 greys, made once per job, on the page context.
  bool SelectGreyPalette(VodContext& context);
  // Gives the drawing the contexts in force.
  void UseContexts(VodContext& context);
  // Drops the page metafile, the default font and the palette.
  void ReleaseObjects(VodContext& context);

  HDC m_output = nullptr;
  HDC m_pageDC = nullptr;  // the metafile's, or the output's when drawn directly
  HDC m_metafileDC = nullptr;
  bool m_open = false;

 private:
  HFONT m_defaultFont = nullptr;
  HGDIOBJ m_outputOldFont = nullptr;
  HPALETTE m_palette = nullptr;
};

// The output of a job as its settings say: the printer or the preview window.
std::unique_ptr<VodPageTarget> MakeJobOutput(VodContext& context);

}  // namespace vod
