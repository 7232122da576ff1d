// VEC vector files in frames: 16-bit little-endian words of points (a move,
// or a line with bit 15 of y set) and arcs (bit 15 of the first word set),
// with the picture's width and height as the file's last two words. Fitted
// and drawn like HPGL plots, with thin solid lines.
#pragma once

#include <string>

#include "win32/Types.h"

namespace vod {

class VodContext;
class VodFile;
class VodPlotter;

class VodVec {
 public:
  static constexpr size_t kBlockWords = 512;

  VodVec(VodContext& context, VodPlotter& plotter) : m_context(context), m_plotter(plotter) {}

  // Draws the picture fitted into the frame (form units). False when the
  // job was cancelled; a missing file (text 121), a file too short for its
  // trailer and a picture without width or height draw nothing and succeed.
  bool DrawVecFile(const RECT& frame, const std::string& file, bool keepAspect, bool centreX, bool centreY);
  // Sets the scale and offsets for the frame and gives the fitted size in
  // form units.
  bool VecScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect, bool centreX,
                     bool centreY);
  // Fills the block with the next 1024 bytes of the file, zeros after its
  // end; the bytes to use: 1024 for a whole block, else up to and including
  // the last word that is not zero.
  static size_t VecReadBlock(WORD* block, VodFile& file);

 private:
  struct Scan {
    bool ok = true;
    bool drawable = false;
  };
  Scan ScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect, bool centreX,
                  bool centreY);
  void VecArc(double radius, double centreX, double centreY, int from, int to);

  VodContext& m_context;
  VodPlotter& m_plotter;
};

}  // namespace vod
