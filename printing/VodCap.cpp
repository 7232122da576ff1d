#include "VodCap.h"

#include <algorithm>
#include <cmath>

#include "VodContext.h"
#include "VodDevicePen.h"
#include "VodPaths.h"
#include "VodPump.h"
#include "VodReport.h"
#include "win32/DebugOutput.h"

namespace vod {
namespace {

constexpr int kPlainSlots = 100;
constexpr int kExtentStart = 1000;
constexpr LONG kInset = 5;
// Room kept for the label beside a point.
constexpr char kLabelRoom[] = "99W";
constexpr double kDeviceLimit = 1 << 28;
constexpr BYTE kDrawBit = 0x10;
// Drawings on a 1024-unit grid are far smaller; a larger file is read this far.
constexpr DWORD kReadLimit = 64 << 20;

int16_t Int16At(const std::vector<BYTE>& bytes, size_t at) {
  return static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The plain drawing: groups of a command byte and up to 7 points. Calls
// point(x, y, line) for each point; the message of a premature end, or null.
template <class Point>
const char* WalkPlain(const std::vector<BYTE>& bytes, size_t at, Point point) {
  bool first = true;
  while (at < bytes.size()) {
    BYTE command = bytes[at++];
    // The drawing starts with a move.
    if (first) command &= static_cast<BYTE>(~kDrawBit);
    first = false;
    int count = command >> 5;
    bool draw = command & kDrawBit;
    int highX = (command >> 2 & 3) << 8, highY = (command & 3) << 8;
    for (int i = 0; i < count; ++i) {
      if (bytes.size() - at < 2) return "CAP Bild vorzeitiges Dateiende!\n";
      point(bytes[at] | highX, bytes[at + 1] | highY, draw || i > 0);
      at += 2;
    }
  }
  return nullptr;
}

// Four-bit units, the high nibble of each byte first.
class Nibbles {
 public:
  Nibbles(const std::vector<BYTE>& bytes, size_t at) : m_bytes(bytes), m_at(2 * std::min(at, bytes.size())) {}
  size_t Left() const { return 2 * m_bytes.size() - m_at; }
  bool MidByte() const { return m_at % 2 != 0; }
  int Next() {
    BYTE byte = m_bytes[m_at / 2];
    return m_at++ % 2 ? byte & 15 : byte >> 4;
  }
  int NextByte() {
    int high = Next();
    return high << 4 | Next();
  }

 private:
  const std::vector<BYTE>& m_bytes;
  size_t m_at;
};

// The nibble-packed drawing: blocks of a command count, the high bits of
// their points and the commands, each with up to 7 points.
template <class Point>
const char* WalkPacked(const std::vector<BYTE>& bytes, size_t at, Point point) {
  Nibbles nibbles(bytes, at);
  bool first = true;
  while (nibbles.Left() >= 2) {
    int commands = nibbles.Next();
    int high = nibbles.Next();
    int highX = (high >> 2 & 3) << 8, highY = (high & 3) << 8;
    for (int c = 0; c < commands; ++c) {
      if (nibbles.Left() == 0) return "CA4 Bild vorzeitigesa Dateiende (a)!\n";
      int command = nibbles.Next();
      bool draw = (command & 1) && !first;
      first = false;
      for (int i = 0; i < command >> 1; ++i) {
        if (nibbles.Left() < 2)
          return nibbles.MidByte() ? "CA4 Bild vorzeitiges Dateiende (rx)!\n" : "CA4 Bild vorzeitiges Dateiende (x)!\n";
        int x = nibbles.NextByte() | highX;
        if (nibbles.Left() < 2)
          return nibbles.MidByte() ? "CA4 Bild vorzeitiges Dateiende (ry)!\n" : "CA4 Bild vorzeitiges Dateiende (y)!\n";
        int y = nibbles.NextByte() | highY;
        point(x, y, draw || i > 0);
      }
    }
  }
  return nullptr;
}

template <class Point>
const char* WalkDrawing(int kind, const std::vector<BYTE>& bytes, size_t at, Point point) {
  return kind == kCapPacked ? WalkPacked(bytes, at, point) : WalkPlain(bytes, at, point);
}

}  // namespace

std::string CapLabelText(int16_t number) {
  int thousands = number / 1000;
  if (thousands > 0) return FormatMessage("%d%c", number % 1000, 96 + thousands);
  return FormatMessage("%d", number);
}

bool VodCap::Read(int kind, const std::string& file, Picture& picture) {
  std::unique_ptr<VodFile> opened = OpenFile(m_context, file, "rb", 122, ReferringScript(m_context), false);
  if (!opened) return false;
  picture.bytes.resize(std::min(opened->Size(), kReadLimit));
  long read = opened->ReadBlock(picture.bytes.data(), 1, picture.bytes.size());
  picture.bytes.resize(static_cast<size_t>(std::max(read, 0L)));
  const std::vector<BYTE>& bytes = picture.bytes;
  size_t base = kind == kCapPlain ? 0 : 1;
  size_t slots = kind == kCapPlain ? kPlainSlots : (bytes.empty() ? 0 : bytes[0]);
  // A slot is read only when all its values are in the file.
  for (size_t i = 0; i < slots && base + 4 * slots + 2 * i + 2 <= bytes.size(); ++i) {
    Label label{Int16At(bytes, base + 2 * i), Int16At(bytes, base + 2 * (slots + i)),
                Int16At(bytes, base + 2 * (2 * slots + i))};
    if (label.x != 0 || label.y != 0 || label.number != 0) picture.labels.push_back(label);
  }
  picture.drawing = base + 6 * slots;
  return true;
}

bool VodCap::Measure(int kind, const std::string& file, const RECT& frame, int& width, int& height, bool keepAspect,
                     bool centreX, bool centreY, bool& drawable) {
  width = height = 0;
  drawable = false;
  if (!PumpMessages()) return false;
  m_factorX = m_context.resolutionX / 100.0;
  m_factorY = m_context.resolutionY / 100.0;
  Picture picture;
  if (!Read(kind, file, picture)) return true;
  int minX = kExtentStart, minY = kExtentStart, maxX = 0, maxY = 0;
  auto widen = [&](int x, int y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  };
  for (const Label& label : picture.labels) widen(label.x, label.y);
  WalkDrawing(kind, picture.bytes, picture.drawing, [&](int x, int y, bool) { widen(x, y); });
  double extentX = maxX - minX, extentY = maxY - minY;
  // A drawing without width or height cannot be scaled into a frame.
  if (extentX <= 0 || extentY <= 0) return true;

  const POINT offset = m_context.drawing.offset;
  auto shift = [](LONG value, LONG by) { return std::max<LONG>(value + by, 0); };
  LONG left = shift(std::min(frame.left, frame.right), offset.x),
       right = shift(std::max(frame.left, frame.right), offset.x);
  LONG top = shift(std::min(frame.top, frame.bottom), offset.y),
       bottom = shift(std::max(frame.top, frame.bottom), offset.y);
  const PageMetrics& page = m_context.page;
  double usableLeft = FormToDeviceX(page, static_cast<DWORD>(left + kInset));
  double usableTop = FormToDeviceY(page, static_cast<DWORD>(top), false);
  double usableX = FormToDeviceX(page, static_cast<DWORD>(std::max<LONG>(right - kInset, 0))) - usableLeft;
  double usableY = FormToDeviceY(page, static_cast<DWORD>(bottom), false) - usableTop;
  SIZE room{};
  GetTextExtentPoint32(m_context.drawing.OutputDC(), kLabelRoom, static_cast<int>(sizeof kLabelRoom - 1), &room);
  usableX -= room.cx;
  usableY -= room.cy;
  if (usableX <= 0 || usableY <= 0) return true;

  if (!keepAspect) {
    m_scaleX = usableX / extentX;
    m_scaleY = usableY / extentY;
  } else if (extentY / (usableY / m_factorY) > extentX / (usableX / m_factorX)) {
    m_scaleY = usableY / extentY;
    m_scaleX = m_scaleY * m_factorX / m_factorY;
  } else {
    m_scaleX = usableX / extentX;
    m_scaleY = m_scaleX * m_factorY / m_factorX;
  }
  auto origin = [](double start, double usable, double extent, double scale, int minimum, bool centre) {
    double free = usable - extent * scale;
    if (centre && free > 0) start += free / 2;
    return static_cast<int32_t>(std::lround(std::clamp(start - minimum * scale, -kDeviceLimit, kDeviceLimit)));
  };
  m_originX = origin(usableLeft, usableX, extentX, m_scaleX, minX, centreX);
  m_originY = origin(usableTop, usableY, extentY, m_scaleY, minY, centreY);
  width = static_cast<int>(DeviceToFormX(page, static_cast<DWORD>(extentX * m_scaleX)));
  height = static_cast<int>(DeviceToFormY(page, static_cast<DWORD>(extentY * m_scaleY), true));
  drawable = true;
  return true;
}

bool VodCap::MeasureCapFile(int kind, const std::string& file, const RECT& frame, int& width, int& height,
                            bool keepAspect, bool centreX, bool centreY) {
  bool drawable;
  return Measure(kind, file, frame, width, height, keepAspect, centreX, centreY, drawable);
}

POINT VodCap::ToDevice(int x, int y) const {
  auto place = [](int32_t origin, int value, double scale) {
    return static_cast<LONG>(std::clamp(origin + value * scale + 0.5, -kDeviceLimit, kDeviceLimit));
  };
  return POINT{place(m_originX, x, m_scaleX), place(m_originY, y, m_scaleY)};
}

bool VodCap::DrawCapFile(int kind, const RECT& frame, const std::string& file, bool keepAspect, bool centreX,
                         bool centreY) {
  return Traced(m_context, "DrawCapFile", [&] {
    int width, height;
    bool drawable;
    if (!Measure(kind, file, frame, width, height, keepAspect, centreX, centreY, drawable)) return false;
    Picture picture;
    if (!drawable || !Read(kind, file, picture)) return true;
    HDC dc = m_context.drawing.PageDC();
    for (const Label& label : picture.labels) {
      std::string text = CapLabelText(label.number);
      POINT at = ToDevice(label.x, label.y);
      TextOut(dc, at.x, at.y, text.data(), static_cast<int>(text.size()));
    }
    const PageMetrics& page = m_context.page;
    DWORD lineWidth = static_cast<DWORD>(std::max(m_context.settings.capLineWidth, 0));
    VodDevicePen pen(dc);
    pen.Select(
        static_cast<int>((std::min(FormToDeviceX(page, lineWidth), FormToDeviceY(page, lineWidth, false)) + 5) / 10));
    const char* end = WalkDrawing(kind, picture.bytes, picture.drawing, [&](int x, int y, bool line) {
      POINT at = ToDevice(x, y);
      if (line)
        LineTo(dc, at.x, at.y);
      else
        MoveToEx(dc, at.x, at.y, nullptr);
    });
    if (end) OutputDebugString(end);
    return m_context.jobState == kJobRunning;
  });
}

}  // namespace vod
