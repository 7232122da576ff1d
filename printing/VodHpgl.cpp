#include "VodHpgl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "VodContext.h"
#include "VodPaths.h"
#include "VodPlotter.h"
#include "VodPump.h"
#include "VodReport.h"

namespace vod {
namespace {

constexpr int kCtrlZ = 26;
constexpr double kPi = 3.14159;
constexpr double kDefaultArcStep = 5;
constexpr double kFullTurn = 360;
constexpr double kSolidPattern = 200.0;
// Numbers of a damaged file are held at this size.
constexpr long long kNumberLimit = 1000000000;
constexpr size_t kPenLineSize = 256;

bool IsUpper(int byte) { return byte >= 'A' && byte <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The command up to its first ";", without blanks and tabs around it.
std::string_view Body(std::string_view command) {
  command = command.substr(0, command.find(';'));
  while (!command.empty() && IsBlank(command.front())) command.remove_prefix(1);
  while (!command.empty() && IsBlank(command.back())) command.remove_suffix(1);
  return command;
}

// The numbers of a command: every character that is neither a digit nor a
// "-" separates them; a "-" among the digits makes the number negative; a
// fraction is dropped.
class Numbers {
 public:
  explicit Numbers(std::string_view text) : m_text(text) {}

  bool Next(double& value) {
    while (m_at < m_text.size() && !IsDigit(m_text[m_at]) && m_text[m_at] != '-') ++m_at;
    if (m_at == m_text.size()) return false;
    bool negative = false;
    long long number = 0;
    for (; m_at < m_text.size() && (IsDigit(m_text[m_at]) || m_text[m_at] == '-'); ++m_at) {
      if (m_text[m_at] == '-')
        negative = true;
      else
        number = std::min(number * 10 + (m_text[m_at] - '0'), kNumberLimit);
    }
    if (m_at < m_text.size() && m_text[m_at] == '.') {
      ++m_at;
      while (m_at < m_text.size() && IsDigit(m_text[m_at])) ++m_at;
    }
    value = static_cast<double>(negative ? -number : number);
    return true;
  }
  bool NextPair(double& x, double& y) { return Next(x) && Next(y); }

 private:
  std::string_view m_text;
  size_t m_at = 0;
};

std::string_view Parameters(std::string_view command) {
  return command.size() < 3 ? std::string_view() : command.substr(2);
}

// The extent of the points a plot passes through.
struct Bounds {
  double minX = std::numeric_limits<double>::max(), minY = std::numeric_limits<double>::max();
  double maxX = std::numeric_limits<double>::lowest(), maxY = std::numeric_limits<double>::lowest();
  double x = 0, y = 0;  // the current point

  void Widen() {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
  // No point at all. A plot of one point still has an extent of one unit
  // each way, in which its circles and arcs are drawn.
  bool Empty() const { return minX > maxX; }

  void Measure(std::string_view command) {
    std::string_view body = Body(command);
    std::string_view name = body.substr(0, 2);
    bool relative = name == "PR";
    if (!relative && name != "PA" && name != "PD" && name != "PU") return;
    Numbers numbers(Parameters(body));
    for (double px, py; numbers.NextPair(px, py);) {
      x = relative ? x + px : px;
      y = relative ? y + py : py;
      Widen();
    }
  }
};

}  // namespace

template <class Each>
VodHpgl::Read VodHpgl::ForEachCommand(VodFile& file, Each each) {
  std::string command;
  command.reserve(kCommandLimit);
  auto hand = [&] {
    if (command.empty()) return true;
    if (!PumpMessages()) return false;
    each(std::string_view(command));
    command.clear();
    return true;
  };
  // A capital letter behind another byte starts a command, and so does the
  // third capital in a row.
  int capitals = 0;
  for (int byte = file.ReadByte(); byte != kCtrlZ; byte = file.ReadByte()) {
    capitals = IsUpper(byte) ? capitals + 1 : 0;
    if (capitals == 1 || capitals == 3) {
      capitals = 1;
      if (!hand()) return Read::Cancelled;
    }
    if (command.size() == kCommandLimit) return Read::TooLong;
    command += static_cast<char>(byte);
  }
  // The file's last command counts as well.
  return hand() ? Read::Ended : Read::Cancelled;
}

VodHpgl::Scan VodHpgl::ScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                                  bool centreX, bool centreY) {
  width = height = 0;
  Scan scan;
  std::unique_ptr<VodFile> plot = OpenFile(m_context, file, "r", 121, ReferringScript(m_context), false);
  if (!plot) return scan;
  Bounds bounds;
  switch (ForEachCommand(*plot, [&](std::string_view command) { bounds.Measure(command); })) {
    case Read::Cancelled: scan.ok = false; return scan;
    case Read::TooLong:
      ReportError(m_context, 125);
      scan.ok = false;
      return scan;
    case Read::Ended: break;
  }
  if (bounds.Empty()) return scan;
  PlotExtent extent{bounds.minX, bounds.minY, bounds.maxX - bounds.minX + 1, bounds.maxY - bounds.minY + 1};
  scan.drawable = m_plotter.Fit(frame, extent, keepAspect, centreX, centreY, width, height);
  m_plotter.state.relativeUnit = std::hypot(bounds.maxX - bounds.minX, bounds.maxY - bounds.minY) / 100;
  return scan;
}

bool VodHpgl::HpglScanExtent(const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                             bool centreX, bool centreY) {
  m_plotter.SetAspect();
  return ScanExtent(file, frame, width, height, keepAspect, centreX, centreY).ok;
}

bool VodHpgl::ReadPenFile() {
  std::unique_ptr<VodFile> pens =
      OpenFile(m_context, m_context.settings.penFile, "r", 120, ReferringScript(m_context), false);
  if (!pens) return false;
  HpglState& state = m_plotter.state;
  state.penWidths.fill(0);
  size_t pen = 0;
  for (std::string line; pen < state.penWidths.size() && pens->ReadScriptLine(line, kPenLineSize);) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    state.penWidths[pen++] = std::atoi(line.substr(0, 2).c_str());
  }
  return true;
}

bool VodHpgl::DrawHpglFile(const RECT& frame, const std::string& file, bool keepAspect, bool centreX, bool centreY) {
  return Traced(m_context, "DrawHpglFile", [&] {
    m_plotter.SetAspect();
    if (!ReadPenFile()) return true;
    int width, height;
    Scan scan = ScanExtent(file, frame, width, height, keepAspect, centreX, centreY);
    if (!scan.ok) return false;
    if (!scan.drawable) return true;
    std::unique_ptr<VodFile> plot = OpenFile(m_context, file, "r", 121, ReferringScript(m_context), false);
    if (!plot) return true;
    HpglState& state = m_plotter.state;
    // Every plot starts at the origin with the pen up.
    state.curX = state.curY = 0;
    state.penDown = false;
    m_plotter.Begin();
    Read read = ForEachCommand(*plot, [&](std::string_view command) { HpglCommand(command); });
    m_plotter.End();
    if (read == Read::TooLong) {
      ReportError(m_context, 125);
      return false;
    }
    return read == Read::Ended && m_context.jobState == kJobRunning;
  });
}

void VodHpgl::HpglCommand(std::string_view command) {
  std::string_view body = Body(command);
  while (!body.empty() && !IsAlnum(body.back())) body.remove_suffix(1);
  if (body.size() < 2) return;
  std::string_view name = body.substr(0, 2);
  std::string_view parameters = Parameters(body);
  HpglState& state = m_plotter.state;
  Numbers numbers(parameters);
  double a = 0, b = 0, c = 0, d = 0;
  if (name == "IN") {
    state.penWidth = 1;
    state.patternPhase = 0;
    state.segmentCount = 0;
    state.lineType = 0;
    state.penDown = false;
  } else if (name == "SP") {
    bool given = numbers.Next(a);
    if (!given || a == 0)
      state.penWidth = 1;
    else if (a >= 1 && a <= 15)
      state.penWidth = state.penWidths[static_cast<size_t>(a)];
    m_plotter.SelectPen(state.penWidth);
    m_plotter.MoveToCurrent();
  } else if (name == "LT") {
    LineType(parameters);
  } else if (name == "PU") {
    state.penDown = false;
    state.patternPhase = 0;
    Pairs(parameters, false);
  } else if (name == "PD") {
    state.penDown = true;
    Pairs(parameters, false);
  } else if (name == "PA" || name == "PR") {
    Pairs(parameters, name == "PR");
  } else if (name == "AA") {
    if (numbers.Next(a) && numbers.Next(b) && numbers.Next(c)) {
      numbers.Next(d);
      if (c != 0) Arc(a, b, c, d);
      m_plotter.MoveToCurrent();
    }
  } else if (name == "CI") {
    if (numbers.Next(a)) {
      numbers.Next(b);
      double centreX = state.curX, centreY = state.curY;
      state.curX += a;
      Arc(centreX, centreY, kFullTurn, b);
      state.curX = centreX;
      state.curY = centreY;
      m_plotter.MoveToCurrent();
    }
  } else if (name == "PM") {
    bool given = numbers.Next(a);
    if (!given || a == 0) {
      state.polygonX = state.curX;
      state.polygonY = state.curY;
    } else if (a == 1 || a == 2) {
      m_plotter.MoveTo(state.polygonX, state.polygonY);
      m_plotter.LineTo(state.curX, state.curY);
      if (a == 1) {
        state.polygonX = state.curX;
        state.polygonY = state.curY;
      }
    }
  }
}

void VodHpgl::Pairs(std::string_view parameters, bool relative) {
  HpglState& state = m_plotter.state;
  Numbers numbers(parameters);
  for (double x, y; numbers.NextPair(x, y);) {
    state.curX = relative ? state.curX + x : x;
    state.curY = relative ? state.curY + y : y;
    if (state.penDown)
      m_plotter.LineTo(state.curX, state.curY);
    else
      m_plotter.MoveTo(state.curX, state.curY);
  }
}

void VodHpgl::LineType(std::string_view parameters) {
  HpglState& state = m_plotter.state;
  Numbers numbers(parameters);
  double type = 0, length = 0, mode = 0;
  if (!numbers.Next(type)) {
    state.lineType = 0;
    state.patternLength = kSolidPattern;
    return;
  }
  numbers.Next(length);
  numbers.Next(mode);
  state.lineType = static_cast<int32_t>(type);
  if (mode == 0) {
    state.patternLength = length * state.relativeUnit;
  } else if (mode == 1) {
    // Absolute lengths are in millimetres: 10 form units each, and 40 more.
    double form = std::max(length * 10 + 40, 0.0);
    const PageMetrics& page = m_context.page;
    DWORD units = static_cast<DWORD>(std::min(form, 1e6));
    state.patternLength = m_plotter.Portrait() ? FormToDeviceX(page, units) : FormToDeviceY(page, units, false);
  } else {
    state.patternLength = kSolidPattern;
  }
  m_plotter.SelectPen(state.penWidth);
  m_plotter.MoveToCurrent();
}

void VodHpgl::Arc(double centreX, double centreY, double sweep, double step) {
  HpglState& state = m_plotter.state;
  double dx = state.curX - centreX, dy = state.curY - centreY;
  double radius = std::hypot(dx, dy);
  if (radius == 0) return;
  // The start angle in its quadrant.
  double start = std::acos(std::min(std::abs(dx) / radius, 1.0));
  if (dx < 0)
    start = dy < 0 ? kPi + start : kPi - start;
  else if (dy < 0)
    start = 2 * kPi - start;
  double direction = sweep > 0 ? 1 : -1;
  sweep = std::min(std::abs(sweep), kFullTurn);
  step = std::abs(step);
  if (step == 0) step = kDefaultArcStep;
  step = std::min(step, sweep);
  auto pointAt = [&](double degrees, double& x, double& y) {
    double angle = start + direction * degrees * kPi / 180;
    x = centreX + radius * std::cos(angle);
    y = centreY + radius * std::sin(angle);
  };
  m_plotter.MoveToCurrent();
  double x, y;
  for (double degrees = step; degrees < sweep; degrees += step) {
    pointAt(degrees, x, y);
    m_plotter.LineTo(x, y);
  }
  pointAt(sweep, state.curX, state.curY);
  m_plotter.LineTo(state.curX, state.curY);
  m_plotter.MoveToCurrent();
}

}  // namespace vod
