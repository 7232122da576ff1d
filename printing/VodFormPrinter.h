// The form a page uses and its own items: which item list is in force on
// this page, where each frame lies, and the lines, boxes, grey areas, texts,
// pictures and (for checking) frame outlines of the form.
#pragma once

#include "win32/Types.h"

namespace vod {

class VodContext;
struct VodFrame;

class VodFormPrinter {
 public:
  explicit VodFormPrinter(VodContext& context) : m_context(context) {}

  // Points the item list in force at the form of this page: the one form,
  // the EVEN or ODD form by the physical page, or the n-th title form on
  // page n and the body form after them. Texts 57 and 58 for a missing EVEN
  // or ODD form.
  bool SetFormular();
  // The frame's rectangle on the form in force (form units); false, and an
  // empty rectangle, when the form does not define that instance.
  bool SetFrame(const VodFrame& frame, RECT& rect);
  // The grey areas of the form, before anything else is drawn.
  bool PrintFormularGrau();
  // The other items; frame outlines with their names while frames are
  // checked or the script asked for the test mode.
  bool PrintFormular();

 private:
  VodContext& m_context;
};

}  // namespace vod
