#include "imaging/testing/CapWriter.h"

namespace imaging::testing {

namespace {

constexpr std::size_t kLabelSlots = 100;
constexpr int kMaxCoordinate = 1023;
constexpr int kMaxGroupPoints = 7;
constexpr int kContinues = 0x10;

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

bool Fits(const CapPoint& p) { return p.x >= 0 && p.x <= kMaxCoordinate && p.y >= 0 && p.y <= kMaxCoordinate; }

int HighBits(const CapPoint& p) { return (p.x >> 8) << 2 | p.y >> 8; }

// Points in a row that share their high bits go into one group of at most
// seven; every group but a polyline's first continues the line.
void PutPolyline(std::string& out, const std::vector<CapPoint>& line) {
  std::size_t at = 0;
  while (at < line.size()) {
    const int high = HighBits(line[at]);
    std::size_t end = at;
    while (end < line.size() && end - at < kMaxGroupPoints && HighBits(line[end]) == high) ++end;
    const int count = static_cast<int>(end - at);
    out += static_cast<char>(count << 5 | (at == 0 ? 0 : kContinues) | high);
    for (std::size_t i = at; i < end; ++i) {
      out += static_cast<char>(line[i].x & 0xFF);
      out += static_cast<char>(line[i].y & 0xFF);
    }
    at = end;
  }
}

}  // namespace

std::string WriteCapFile(const CapDrawing& drawing) {
  if (drawing.labels.size() > kLabelSlots) return {};
  std::vector<CapLabel> slots(drawing.labels);
  slots.resize(kLabelSlots);
  std::string out;
  for (const CapLabel& label : slots) Put16(out, static_cast<unsigned>(label.x));
  for (const CapLabel& label : slots) Put16(out, static_cast<unsigned>(label.y));
  for (const CapLabel& label : slots) Put16(out, label.number);
  for (const auto& line : drawing.polylines) {
    for (const CapPoint& p : line) {
      if (!Fits(p)) return {};
    }
    PutPolyline(out, line);
  }
  return out;
}

}  // namespace imaging::testing
