#include "VodVec.h"

#include <array>
#include <cmath>

#include "VodContext.h"
#include "VodPaths.h"
#include "VodPlotter.h"
#include "VodPump.h"
#include "VodReport.h"
#include "win32/Files.h"

namespace vod {
namespace {

constexpr size_t kBlockBytes = 2 * VodVec::kBlockWords;
constexpr WORD kFlag = 0x8000;
constexpr WORD kValue = 0x7FFF;
constexpr int kArcStep = 5;
constexpr double kPi = 3.14159;

// The words of the file, block by block; records may straddle blocks.
class Words {
 public:
  explicit Words(VodFile& file) : m_file(file) {}
  bool Next(WORD& word) {
    if (m_at == m_count) {
      m_count = (VodVec::VecReadBlock(m_block.data(), m_file) + 1) / 2;
      m_at = 0;
      if (m_count == 0) return false;
    }
    word = m_block[m_at++];
    return true;
  }

 private:
  VodFile& m_file;
  std::array<WORD, VodVec::kBlockWords> m_block{};
  size_t m_count = 0, m_at = 0;
};

}  // namespace

size_t VodVec::VecReadBlock(WORD* block, VodFile& file) {
  std::array<BYTE, kBlockBytes> bytes{};
  long read = file.ReadBlock(bytes.data(), 1, bytes.size());
  for (size_t i = 0; i < kBlockWords; ++i) block[i] = static_cast<WORD>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  if (read == static_cast<long>(kBlockBytes)) return kBlockBytes;
  size_t used = kBlockWords;
  while (used > 0 && block[used - 1] == 0) --used;
  return 2 * used;
}

VodVec::Scan VodVec::ScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                                bool centreX, bool centreY) {
  width = height = 0;
  m_plotter.SetAspect();
  m_plotter.state.penWidth = 1;
  Scan scan;
  std::unique_ptr<VodFile> picture = OpenFile(m_context, file, "rb", 121, ReferringScript(m_context), false);
  if (!picture) return scan;
  // The trailer: the picture's width and height, the last two words.
  std::array<BYTE, 4> trailer{};
  bool whole = picture->Size() >= trailer.size() &&
               picture->SeekTo(-static_cast<long>(trailer.size()), FILE_END) == 0 &&
               picture->ReadBlock(trailer.data(), 1, trailer.size()) == static_cast<long>(trailer.size());
  picture.reset();
  if (!PumpMessages()) {
    scan.ok = false;
    return scan;
  }
  if (!whole) return scan;
  PlotExtent extent{0, 0, static_cast<double>(trailer[0] | trailer[1] << 8),
                    static_cast<double>(trailer[2] | trailer[3] << 8)};
  scan.drawable = m_plotter.Fit(frame, extent, keepAspect, centreX, centreY, width, height);
  return scan;
}

bool VodVec::VecScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                           bool centreX, bool centreY) {
  return ScanExtent(file, frame, width, height, keepAspect, centreX, centreY).ok;
}

bool VodVec::DrawVecFile(const RECT& frame, const std::string& file, bool keepAspect, bool centreX, bool centreY) {
  return Traced(m_context, "DrawVecFile", [&] {
    int width, height;
    Scan scan = ScanExtent(file, frame, width, height, keepAspect, centreX, centreY);
    if (!scan.ok) return false;
    if (!scan.drawable) return true;
    std::unique_ptr<VodFile> picture = OpenFile(m_context, file, "rb", 121, ReferringScript(m_context), false);
    if (!picture) return true;
    HpglState& state = m_plotter.state;
    state.curX = state.curY = 0;
    m_plotter.Begin();
    Words words(*picture);
    bool cancelled = false;
    for (WORD first; words.Next(first);) {
      if (!PumpMessages()) {
        cancelled = true;
        break;
      }
      WORD x, y, from, to;
      if (first & kFlag) {
        if (!words.Next(x) || !words.Next(y) || !words.Next(from) || !words.Next(to)) break;
        VecArc(first & kValue, x, y, from, to);
        continue;
      }
      if (!words.Next(y)) break;
      if (y & kFlag) {
        m_plotter.MoveToCurrent();
        m_plotter.LineTo(first, y & kValue, false);
      }
      state.curX = first;
      state.curY = y & kValue;
    }
    m_plotter.End();
    return !cancelled && m_context.jobState == kJobRunning;
  });
}

void VodVec::VecArc(double radius, double centreX, double centreY, int from, int to) {
  if (to < from) to += 360;
  auto point = [&](int degrees, double& x, double& y) {
    double angle = degrees * kPi / 180;
    x = centreX + radius * std::cos(angle);
    y = centreY + radius * std::sin(angle);
  };
  double x, y;
  point(from, x, y);
  m_plotter.MoveTo(x, y);
  for (int degrees = from + kArcStep; degrees < to; degrees += kArcStep) {
    point(degrees, x, y);
    m_plotter.LineTo(x, y, false);
  }
  point(to, x, y);
  m_plotter.LineTo(x, y, false);
  m_plotter.MoveTo(x, y);
}

}  // namespace vod
