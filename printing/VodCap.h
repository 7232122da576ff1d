// CAP, CA3 and CA4 pictures in frames: numbered labels printed as text and
// polylines on a 1024-unit grid, read from the file twice: once to measure
// the drawing and fit it into the frame, once to print it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace vod {

class VodContext;

// Kinds of file as the frame numbers them.
constexpr int kCapPlain = 3;   // ".cap": 100 label slots, plain drawing
constexpr int kCapCount = 4;   // ".ca3": a label count, plain drawing
constexpr int kCapPacked = 5;  // ".ca4": a label count, nibble-packed drawing

// The text a label number prints as: "17a" for 1017.
std::string CapLabelText(int16_t number);

class VodCap {
 public:
  explicit VodCap(VodContext& context) : m_context(context) {}

  // Measures the drawing, sets scale and origin for the frame (form units)
  // and gives the printed size in form units. False when the job was
  // cancelled; a missing file is reported and measures 0.
  bool MeasureCapFile(int kind, const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                      bool centreX, bool centreY);
  // Prints the labels and draws the polylines. False when the job was
  // cancelled; a drawing without extent prints nothing and succeeds.
  bool DrawCapFile(int kind, const RECT& frame, const std::string& file, bool keepAspect, bool centreX, bool centreY);

 private:
  struct Label {
    int16_t x, y, number;
  };
  struct Picture {
    std::vector<BYTE> bytes;
    std::vector<Label> labels;  // the slots that are not empty
    size_t drawing = 0;         // where the drawing starts
  };
  bool Read(int kind, const std::string& file, Picture& picture);
  bool Measure(int kind, const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
               bool centreX, bool centreY, bool& drawable);
  POINT ToDevice(int x, int y) const;

  VodContext& m_context;
  // Set by the last measuring.
  double m_factorX = 0, m_factorY = 0;
  double m_scaleX = 0, m_scaleY = 0;
  int32_t m_originX = 0, m_originY = 0;
};

}  // namespace vod
