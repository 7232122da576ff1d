// HPGL plot files in frames: the file is read twice, once for the extent of
// what it draws and once to draw it, fitted into the frame, with the pen
// widths of the pen file. A small part of HPGL is understood (IN, SP, LT,
// PU, PD, PA, PR, AA, CI, PM, PS); everything else is skipped.
#pragma once

#include <string>
#include <string_view>

#include "win32/Types.h"

namespace vod {

class VodContext;
class VodFile;
class VodPlotter;

class VodHpgl {
 public:
  // Longest command the reader gathers.
  static constexpr size_t kCommandLimit = 8185;

  VodHpgl(VodContext& context, VodPlotter& plotter) : m_context(context), m_plotter(plotter) {}

  // Draws the plot fitted into the frame (form units). False when the job
  // was cancelled or a command was too long (text 125); a missing file
  // (text 121) or pen file (text 120) leaves the frame empty and succeeds.
  bool DrawHpglFile(const RECT& frame, const std::string& file, bool keepAspect, bool centreX, bool centreY);
  // Sets the scale and offsets for the frame and gives the size the fitted
  // plot takes, in form units (0 for a missing file or an empty plot).
  bool HpglScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                      bool centreX, bool centreY);
  // Executes one command.
  void HpglCommand(std::string_view command);

 private:
  enum class Read { Ended, Cancelled, TooLong };
  struct Scan {
    bool ok = true;         // not cancelled, no command too long
    bool drawable = false;  // the file was there and its plot has an extent
  };

  Scan ScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect, bool centreX,
                  bool centreY);
  // Hands each command of the file to each; the message pump runs before
  // every command.
  template <class Each>
  Read ForEachCommand(VodFile& file, Each each);
  bool ReadPenFile();

  void Pairs(std::string_view parameters, bool relative);
  void LineType(std::string_view parameters);
  void Arc(double centreX, double centreY, double sweep, double step);

  VodContext& m_context;
  VodPlotter& m_plotter;
};

}  // namespace vod
