// A recorded page: the drawing calls made on a recording context, in the
// reference device's pixels, each with the state it was drawn in (not for
// the system's code).
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "win32/DeviceCaps.h"
#include "win32/GdiObjects.h"

namespace layer {

// What the drawing of a record depends on, colours resolved to RGB.
struct RecordedState {
  bool hasPen = false;
  LOGPEN pen{};
  bool hasBrush = false;
  LOGBRUSH brush{};
  LOGFONTA font{};
  COLORREF textColor = 0;
  COLORREF bkColor = 0;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  bool hasClip = false;
  RECT clip{};

  bool operator==(const RecordedState& other) const;
};

struct RecordedLines {
  std::vector<std::vector<POINT>> runs;
};
struct RecordedPolygon {
  std::vector<POINT> points;
};
struct RecordedShape {
  ShapeKind kind;
  RECT box;
};
struct RecordedFill {
  RECT area;
  COLORREF colour;
};
struct RecordedInvert {
  RECT area;
  InvertKind kind;
};
struct RecordedText {
  POINT topLeft;
  std::string text;
  std::vector<int> advances;
  bool clipped = false;
  RECT clip{};
};
// A picture keeps its own copy of the rows it draws from: a top-down
// device-independent bitmap with an RGB colour table.
struct RecordedPicture {
  RECT destination;
  RECT source;
  std::shared_ptr<const std::vector<BYTE>> dib;
  std::size_t headerBytes = 0;
  DWORD rop;
  int stretchMode;
};

using Record = std::variant<RecordedLines, RecordedPolygon, RecordedShape, RecordedFill, RecordedInvert, RecordedText,
                            RecordedPicture>;

struct RecordEntry {
  std::size_t state;  // index into the page's states
  Record record;
};

class Metafile : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_ENHMETAFILE; }
  std::vector<RecordedState> states;
  std::vector<RecordEntry> records;
  RECT frame{};  // the part of the reference device the page stands for, in its pixels
  DeviceCaps reference;
  std::string description;
};

// The recording context's target: every call becomes a record.
class MetafileRecorder : public VectorTarget {
 public:
  // A frame in hundredths of a millimetre, or null for the box around the drawing.
  MetafileRecorder(const DeviceCaps& reference, const RECT* frame, std::string description);

  // Ends the recording and hands the page over.
  std::shared_ptr<Metafile> Finish();

  DWORD ContextKind() const override { return OBJ_ENHMETADC; }
  bool Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) override;
  bool Polygon(const DeviceContext& context, const std::vector<POINT>& points) override;
  bool Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) override;
  bool Fill(const DeviceContext& context, const RECT& area, COLORREF colour) override;
  bool Invert(const DeviceContext& context, const RECT& area, InvertKind kind) override;
  bool Text(const DeviceContext& context, const TextLine& line) override;
  bool Picture(const DeviceContext& context, const PictureDraw& picture) override;

 private:
  bool Add(const DeviceContext& context, Record record, RECT extent);

  std::shared_ptr<Metafile> m_page;
  bool m_ownFrame;
  RECT m_drawn{};  // the box around everything drawn
};

}  // namespace layer
