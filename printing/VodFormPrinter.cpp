#include "VodFormPrinter.h"

#include <algorithm>

#include "VodContext.h"
#include "VodFieldWords.h"
#include "VodPaths.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodTexts.h"

namespace vod {
namespace {

// Item fields of the form file.
constexpr int kFileNameSize = 20;
constexpr int kItemTextSize = 40;

RECT Ordered(int x1, int y1, int x2, int y2) {
  return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// A kind-4 or kind-5 item's rectangle starts at offset.
RECT ItemRect(const ItemNode& item, int offset) {
  return Ordered(item.Word(offset), item.Word(offset + 2), item.Word(offset + 4), item.Word(offset + 6));
}

}  // namespace

bool VodFormPrinter::SetFormular() {
  return Traced(m_context, "SetFormular", [this] {
    if (!PumpMessages()) return false;
    VodFormModel& model = m_context.model;
    bool odd = m_context.counters.pp % 2 != 0;
    switch (m_context.formMode) {
      case 1: model.currentForm = &model.bodyForm; break;
      case 2:
        if (!model.evenForm || !model.oddForm) {
          ReportError(m_context, model.evenForm ? 58 : 57);
          return false;
        }
        model.currentForm = odd ? &model.oddForm : &model.evenForm;
        break;
      case 3: {
        TitleForm* title = model.titleForms;
        for (LONG page = 1; title && page < m_context.counters.pp; ++page) title = title->next;
        model.currentForm = title ? &title->items : &model.bodyForm;
        break;
      }
      default: break;
    }
    return true;
  });
}

bool VodFormPrinter::SetFrame(const VodFrame& frame, RECT& rect) {
  Trace(m_context, "Set_Frame Begin.");
  rect = RECT{0, 0, 0, 0};
  int instance = 0;
  ItemNode* item = *m_context.model.currentForm;
  for (; item; item = item->next)
    if (item->Kind() == kItemFrame && SameFrameName(frame.name, item->FrameName()) && ++instance == frame.instance)
      break;
  if (item) rect = ItemRect(*item, 138);
  Trace(m_context, "Set_Frame End.");
  return item != nullptr;
}

bool VodFormPrinter::PrintFormularGrau() {
  return Traced(m_context, "PrintFormularGrau", [this] {
    if (!SetFormular()) return false;
    for (ItemNode* item = *m_context.model.currentForm; item; item = item->next) {
      if (item->Kind() == kItemBox) {
        RECT box = ItemRect(*item, 142);
        m_context.drawing.FillGrey(item->Word(140), box.left, box.top, box.right, box.bottom);
      }
      if (!PumpMessages()) return false;
    }
    return true;
  });
}

bool VodFormPrinter::PrintFormular() {
  return Traced(m_context, "PrintFormular", [this] {
    if (!SetFormular()) return false;
    VodDrawing& drawing = m_context.drawing;
    bool outlines = m_context.settings.checkFrames || m_context.testMode;
    for (ItemNode* item = *m_context.model.currentForm; item; item = item->next) {
      switch (item->Kind()) {
        case kItemLine:
          drawing.SetPen(item->Word(138));
          drawing.DrawLine(item->Word(140), item->Word(142), item->Word(144), item->Word(146));
          break;
        case kItemPicture: {
          std::string file = ResolveRoot(m_context, item->Field(138, kFileNameSize));
          Trace(m_context, FormatMessage("  TIFF %s %s\n", FileLabel(m_context.languageOffset), file.c_str()));
          if (!m_context.pictures->DrawRaster(m_context, file, item->Word(158), item->Word(166), item->Word(162)))
            return false;
          break;
        }
        case kItemText: {
          if (!drawing.SelectFrameFont(item->Field(138, kFontNameSize), item->Word(192))) return false;
          std::string text = ExpandFieldWords(m_context, item->Field(148, kItemTextSize));
          drawing.DrawTextAt(item->Word(188), item->Word(196), text, kAlignLeft, {}, drawing.LineHeight());
          break;
        }
        case kItemBox:
          if (item->Word(138)) {
            RECT box = ItemRect(*item, 142);
            drawing.DrawBox(box.left, box.top, box.right, box.bottom, item->Word(138));
          }
          break;
        case kItemFrame:
          if (outlines) {
            RECT frame = ItemRect(*item, 138);
            drawing.DrawBox(frame.left, frame.top, frame.right, frame.bottom, 1);
            if (!drawing.SelectFrameFont(item->DefaultFont(), item->DefaultSize())) return false;
            drawing.DrawTextAt(frame.left, frame.top + drawing.LineHeight(), item->FrameName(), kAlignLeft, {},
                               drawing.LineHeight());
          }
          break;
        default: break;
      }
      if (!PumpMessages()) return false;
    }
    return true;
  });
}

}  // namespace vod
