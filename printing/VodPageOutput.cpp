#include "VodPageOutput.h"

#include <vector>

#include "VodContext.h"
#include "VodPreviewOutput.h"
#include "VodPrinterOutput.h"
#include "VodReport.h"
#include "VodSettings.h"

namespace vod {
namespace {

constexpr int kGreyLevels = 256;
constexpr int kDefaultFontHeight = 10;
constexpr int kFaceLimit = 31;

}  // namespace

VodPageOutput::~VodPageOutput() {
  if (m_metafileDC) DeleteEnhMetaFile(CloseEnhMetaFile(m_metafileDC));
  if (m_defaultFont) DeleteObject(m_defaultFont);
  if (m_palette) DeleteObject(m_palette);
}

bool VodPageOutput::BeginPage(VodContext&) { return m_pageDC != nullptr; }

bool VodPageOutput::CreatePageMetafile(VodContext& context, int failureCode) {
  RECT frame{0, 0, static_cast<LONG>(context.page.formWidth * 10), static_cast<LONG>(context.page.formHeight * 10)};
  m_metafileDC = CreateEnhMetaFile(m_output, nullptr, &frame, "VOD");
  if (!m_metafileDC) {
    ReportInternalError(context, 266, failureCode);
    return false;
  }
  m_pageDC = m_metafileDC;
  if (m_defaultFont) SelectObject(m_pageDC, m_defaultFont);
  if (m_palette) {
    SelectPalette(m_pageDC, m_palette, FALSE);
    RealizePalette(m_pageDC);
  }
  UseContexts(context);
  return true;
}

HENHMETAFILE VodPageOutput::ClosePageMetafile(VodContext& context, int failureCode) {
  if (!m_metafileDC) return nullptr;
  HENHMETAFILE page = CloseEnhMetaFile(m_metafileDC);
  m_metafileDC = nullptr;
  m_pageDC = nullptr;
  context.drawing.SetDevice(m_output, nullptr);
  if (!page) ReportInternalError(context, 287, failureCode);
  return page;
}

void VodPageOutput::DeletePage(VodContext& context, HENHMETAFILE page, int failureCode) {
  if (page && !DeleteEnhMetaFile(page)) ReportInternalError(context, 288, failureCode);
}

bool VodPageOutput::SelectDefaultFont(VodContext& context) {
  std::string face = ReadVodKey(context, nullptr, "DefaultFont", "Courier").substr(0, kFaceLimit);
  HFONT font = CreateFont(kDefaultFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str());
  if (!font) return false;
  if (m_defaultFont) {
    SelectObject(m_output, m_outputOldFont);
    DeleteObject(m_defaultFont);
  }
  m_defaultFont = font;
  m_outputOldFont = SelectObject(m_output, font);
  if (m_pageDC && m_pageDC != m_output) SelectObject(m_pageDC, font);
  return true;
}

bool VodPageOutput::SelectGreyPalette(VodContext& context) {
  if (!m_palette) {
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + (kGreyLevels - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = kGreyLevels;
    for (int i = 0; i < kGreyLevels; ++i) {
      BYTE level = static_cast<BYTE>(i);
      palette->palPalEntry[i] = PALETTEENTRY{level, level, level, 0};
    }
    m_palette = CreatePalette(palette);
    if (!m_palette) {
      ReportInternalError(context, 265, 20);
      return false;
    }
  }
  SelectPalette(m_pageDC, m_palette, FALSE);
  RealizePalette(m_pageDC);
  return true;
}

void VodPageOutput::UseContexts(VodContext& context) { context.drawing.SetDevice(m_output, m_pageDC); }

void VodPageOutput::ReleaseObjects(VodContext& context) {
  if (m_metafileDC) DeletePage(context, ClosePageMetafile(context, 21), 22);
  context.drawing.Reset();
  if (m_defaultFont) {
    if (m_output) SelectObject(m_output, m_outputOldFont);
    DeleteObject(m_defaultFont);
    m_defaultFont = nullptr;
  }
  if (m_palette) {
    DeleteObject(m_palette);
    m_palette = nullptr;
  }
  m_pageDC = nullptr;
}

std::unique_ptr<VodPageTarget> MakeJobOutput(VodContext& context) {
  if (context.settings.toPrinter) return std::make_unique<VodPrinterOutput>();
  return std::make_unique<VodPreviewOutput>();
}

}  // namespace vod
