// Views of frames without windows: each is a rectangle of a memory canvas
// that the test paints the frame on, as the window system would paint the
// main view and the client scroll views inside it.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "Main/CFrame.h"
#include "Main/FrameView.h"
#include "mfc/CDC.h"
#include "testing/MemoryCanvas.h"

// Four sides as the test runner shows them.
inline void PrintTo(const Sides& s, std::ostream* out) {
  *out << "{" << s.left << ", " << s.top << ", " << s.right << ", " << s.bottom << "}";
}

namespace varno::testing {

class CanvasView : public FrameView {
 public:
  // rect: where the view lies (in the frame window for a main view, in the
  // main view for a client view).
  CanvasView(CFrame* frame, const CRect& rect, std::function<void(CanvasView*)> destroyed = {})
      : frame(frame), rect(rect), m_destroyed(std::move(destroyed)) {}

  CRect ClientArea() override {
    CRect client(0, 0, rect.Width(), rect.Height());
    if (barsShown) {
      BOOL horizontal = FALSE, vertical = FALSE;
      NeededBars(horizontal, vertical);
      if (vertical) client.right -= GetSystemMetrics(SM_CXVSCROLL);
      if (horizontal) client.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    }
    return client;
  }
  CRect RectInFrame() override { return rect; }
  void SizeScrollBars(CSize totalSize, CSize pageSize, CSize lineSize) override {
    total = totalSize;
    page = pageSize;
    line = lineSize;
  }
  void NeededBars(BOOL& horizontal, BOOL& vertical) override {
    vertical = total.cy > rect.Height();
    horizontal = total.cx > rect.Width() - (vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  }
  CPoint ScrollPosition() override { return CPoint(0, 0); }
  CRect RectInParent() override { return rect; }
  void DestroyView() override {
    if (frame != nullptr) frame->DestructClientView(this);
    if (m_destroyed) m_destroyed(this);
  }

  CFrame* frame;
  CRect rect;
  CSize total, page, line;
  BOOL barsShown = FALSE;

 private:
  std::function<void(CanvasView*)> m_destroyed;
};

// The client views a frame asks for, kept until the frame destroys them.
class CanvasViewSet {
 public:
  CanvasView* Make(CFrame& frame, const CRect& rect) {
    m_views.push_back(std::make_unique<CanvasView>(&frame, rect, [this](CanvasView* gone) { Forget(gone); }));
    return m_views.back().get();
  }
  int Count() const { return static_cast<int>(m_views.size()); }
  const std::vector<std::unique_ptr<CanvasView>>& Views() const { return m_views; }

 private:
  void Forget(CanvasView* gone) {
    m_views.erase(std::remove_if(m_views.begin(), m_views.end(), [gone](const auto& v) { return v.get() == gone; }),
                  m_views.end());
  }
  std::vector<std::unique_ptr<CanvasView>> m_views;
};

// Lays the frame out in its main view on the canvas and paints it: the main
// view first, then each client view clipped to its place, as windows are.
inline BOOL PaintFrame(CFrame& frame, CanvasView& main, layer::testing::MemoryCanvas& canvas) {
  CDC* dc = CDC::FromHandle(canvas.dc);
  if (!frame.AttachView(&main, dc, nullptr)) return FALSE;
  if (!frame.DrawView(&main, dc)) return FALSE;
  for (int slot = 1; slot < frame.m_ViewNum; ++slot) {
    FrameView* view = nullptr;
    if (!frame.GetView(slot, view)) continue;
    const CRect place = view->RectInParent();
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&place);
    dc->SetViewportOrg(place.left, place.top);
    frame.DrawView(view, dc);
    dc->RestoreDC(saved);
  }
  return TRUE;
}

}  // namespace varno::testing
