// What HPGL and VEC pictures share: the drawing state, the fitting of a
// plot's extent into a frame, and moves and lines in plotter units, each
// point corrected for a printer whose two resolutions differ.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "VodDevicePen.h"
#include "win32/Types.h"

namespace vod {

class VodContext;

struct HpglState {
  std::array<int32_t, 16> penWidths{};  // device units, from the pen file
  int32_t penWidth = 0;
  bool penDown = false;
  double curX = 0, curY = 0;    // plotter units
  double prevX = 0, prevY = 0;  // device position where the line being drawn starts
  int32_t lineType = 0;         // 0 solid, else the pattern number
  double patternLength = 0;     // one period in device units
  double patternPhase = 0;      // fraction of a period reached by the last line
  double relativeUnit = 0;      // a hundredth of the extent's diagonal, in plotter units
  double scaleX = 0, scaleY = 0;
  int32_t offsetX = 0, offsetY = 0;
  double polygonX = 0, polygonY = 0;
  double aspectX = 0, aspectY = 0;
  int32_t segmentCount = 0;
};

// The part of the plotter plane a plot covers.
struct PlotExtent {
  double minX = 0, minY = 0;
  double width = 0, height = 0;
};

class VodPlotter {
 public:
  explicit VodPlotter(VodContext& context);
  ~VodPlotter();
  VodPlotter(const VodPlotter&) = delete;
  VodPlotter& operator=(const VodPlotter&) = delete;

  // Everything back to zero, as at the start of a job.
  void Reset() { state = HpglState{}; }
  // AspectX and AspectY from the printer's resolution.
  void SetAspect();
  bool Portrait() const;

  // Sets the scale and offsets that fit the extent into the frame (form
  // units, the page offset not yet added), 5 form units inside its left and
  // right edges, and gives the size the fitted plot takes in form units.
  // False when the frame or the extent leaves nothing to draw.
  bool Fit(RECT frame, const PlotExtent& extent, bool keepAspect, bool centreX, bool centreY, int& width, int& height);

  // Drawing on the page's context happens between Begin and End, which puts
  // the context's own pen back.
  void Begin();
  void End();
  void SelectPen(int width);
  // The device position of a plotter point, corrected and rounded.
  POINT ToDevice(double x, double y) const;
  void MoveTo(double x, double y);
  // A line from the last point moved or drawn to; patterned when the line
  // type says so and patterned is asked for.
  void LineTo(double x, double y, bool patterned = true);
  // Restores the current point: a move to it.
  void MoveToCurrent() { MoveTo(state.curX, state.curY); }

  HpglState state;

 private:
  void CountSegment(bool line, POINT end);
  // The page with room for the pen around it, in device units.
  RECT PageBox() const;
  void DrawSolid(POINT from, POINT to);
  // Draws the lines gathered so far.
  void Flush();
  void DrawPatterned(POINT from, POINT to);

  VodContext& m_context;
  std::unique_ptr<VodDevicePen> m_pen;
  POINT m_at{0, 0};
  std::vector<POINT> m_run;  // solid lines not drawn yet, end to end
};

}  // namespace vod
