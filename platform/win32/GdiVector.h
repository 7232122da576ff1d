// Contexts that keep no pixels of their own - a printer page, a recorded
// page - receive every drawing call as what it draws, in the target's device
// units, with the context's state (pen, brush, font, colours, clip) at the
// time of the call (not for the system's code).
#pragma once

#include <string>
#include <vector>

#include "win32/GdiTypes.h"
#include "win32/Types.h"

namespace layer {

class DeviceContext;

enum class ShapeKind { Rectangle, Ellipse };
enum class InvertKind { Area, FocusFrame };

// One line of text as the text calls lay it out.
struct TextLine {
  POINT topLeft{};                // the top-left corner of the text's cell
  std::string text;               // Windows-1252
  std::vector<int> advances;      // of each character
  const RECT* clip = nullptr;     // besides the context's clip, when given
  int ascent = 0;                 // of the font: the baseline lies this far below the top
  int height = 0;                 // of the font's cell
};

// A device-independent bitmap drawn stretched or one to one. The bits stay
// the caller's; a target that keeps the picture copies what it needs.
struct PictureDraw {
  RECT destination{};  // right < left or bottom < top mirrors
  RECT source{};       // pixels of the picture, row 0 at the top
  const BITMAPINFO* info = nullptr;  // with an RGB colour table
  const void* bits = nullptr;
  DWORD rop = 0;
  int stretchMode = 0;
};

class VectorTarget {
 public:
  virtual ~VectorTarget() = default;
  // The kind GetObjectType reports for the context.
  virtual DWORD ContextKind() const = 0;
  // False when the call cannot draw now (a printer without an open page).
  virtual bool Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) = 0;
  virtual bool Polygon(const DeviceContext& context, const std::vector<POINT>& points) = 0;
  virtual bool Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) = 0;
  virtual bool Fill(const DeviceContext& context, const RECT& area, COLORREF colour) = 0;
  virtual bool Invert(const DeviceContext& context, const RECT& area, InvertKind kind) = 0;
  virtual bool Text(const DeviceContext& context, const TextLine& line) = 0;
  virtual bool Picture(const DeviceContext& context, const PictureDraw& picture) = 0;
  // The context is being deleted.
  virtual void Released() {}
};

}  // namespace layer
