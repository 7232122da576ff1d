#include "win32/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "win32/Errors.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

class ObjectTable {
 public:
  HGDIOBJ Add(std::shared_ptr<GdiObject> object) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_next += 4;
    auto handle = reinterpret_cast<HGDIOBJ>(m_next);
    m_handles[object.get()] = handle;
    m_objects[m_next] = std::move(object);
    return handle;
  }
  std::shared_ptr<GdiObject> Find(HGDIOBJ handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_objects.find(reinterpret_cast<UINT_PTR>(handle));
    return found == m_objects.end() ? nullptr : found->second;
  }
  bool Remove(HGDIOBJ handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (found == m_objects.end()) return false;
    m_handles.erase(found->second.get());
    m_objects.erase(found);
    return true;
  }
  // The handle of a live object; null once the handle was deleted.
  HGDIOBJ HandleOf(const GdiObject* object) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_handles.find(object);
    return found == m_handles.end() ? nullptr : found->second;
  }

 private:
  std::mutex m_mutex;
  UINT_PTR m_next = 0x01000000;
  std::map<UINT_PTR, std::shared_ptr<GdiObject>> m_objects;
  std::map<const GdiObject*, HGDIOBJ> m_handles;
};

ObjectTable& Objects() {
  static auto* table = new ObjectTable;  // outlives every static user
  return *table;
}

template <class T>
HGDIOBJ Stock(std::shared_ptr<T> object) {
  object->stock = true;
  return AddObject(std::move(object));
}

std::shared_ptr<Pen> MakePen(UINT style, int width, COLORREF color) {
  auto pen = std::make_shared<Pen>();
  pen->log = LOGPEN{style, POINT{width, 0}, color};
  return pen;
}

std::shared_ptr<Brush> MakeBrush(UINT style, COLORREF color) {
  auto brush = std::make_shared<Brush>();
  brush->log = LOGBRUSH{style, color, 0};
  return brush;
}

std::shared_ptr<Font> MakeFont(const char* face, LONG height, LONG weight) {
  auto font = std::make_shared<Font>();
  font->log.lfHeight = height;
  font->log.lfWeight = weight;
  std::strncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// The platform's default palette: the 20 static colours.
std::vector<PALETTEENTRY> StaticColours() {
  static const BYTE colours[20][3] = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<PALETTEENTRY> entries;
  for (const auto& c : colours) entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
  return entries;
}

struct StockObjects {
  HGDIOBJ objects[DEFAULT_GUI_FONT + 1]{};
  HGDIOBJ defaultBitmap = nullptr;
  HGDIOBJ sysColorBrushes[COLOR_INFOBK + 1]{};
  StockObjects() {
    objects[WHITE_BRUSH] = Stock(MakeBrush(BS_SOLID, RGB(255, 255, 255)));
    objects[LTGRAY_BRUSH] = Stock(MakeBrush(BS_SOLID, RGB(192, 192, 192)));
    objects[GRAY_BRUSH] = Stock(MakeBrush(BS_SOLID, RGB(128, 128, 128)));
    objects[DKGRAY_BRUSH] = Stock(MakeBrush(BS_SOLID, RGB(64, 64, 64)));
    objects[BLACK_BRUSH] = Stock(MakeBrush(BS_SOLID, RGB(0, 0, 0)));
    objects[NULL_BRUSH] = Stock(MakeBrush(BS_NULL, 0));
    objects[WHITE_PEN] = Stock(MakePen(PS_SOLID, 0, RGB(255, 255, 255)));
    objects[BLACK_PEN] = Stock(MakePen(PS_SOLID, 0, RGB(0, 0, 0)));
    objects[NULL_PEN] = Stock(MakePen(PS_NULL, 0, 0));
    objects[OEM_FIXED_FONT] = Stock(MakeFont("Courier New", -13, FW_NORMAL));
    objects[ANSI_FIXED_FONT] = Stock(MakeFont("Courier New", -13, FW_NORMAL));
    objects[ANSI_VAR_FONT] = Stock(MakeFont("MS Sans Serif", -11, FW_NORMAL));
    objects[SYSTEM_FONT] = Stock(MakeFont("System", -16, FW_BOLD));
    objects[DEVICE_DEFAULT_FONT] = Stock(MakeFont("System", -16, FW_BOLD));
    objects[SYSTEM_FIXED_FONT] = Stock(MakeFont("Courier New", -13, FW_NORMAL));
    objects[DEFAULT_GUI_FONT] = Stock(MakeFont("MS Sans Serif", -11, FW_NORMAL));
    auto palette = std::make_shared<Palette>();
    palette->entries = StaticColours();
    objects[DEFAULT_PALETTE] = Stock(palette);
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->surface.Resize(1, 1, 0xFF000000u);
    bitmap->surface.m_bitsPerPixel = 1;
    defaultBitmap = Stock(bitmap);
    for (int i = 0; i <= COLOR_INFOBK; ++i) sysColorBrushes[i] = Stock(MakeBrush(BS_SOLID, GetSysColor(i)));
  }
};

StockObjects& Stocks() {
  static auto* stocks = new StockObjects;
  return *stocks;
}

template <class T>
std::shared_ptr<T> StockAs(int index) {
  return std::dynamic_pointer_cast<T>(FindObject(Stocks().objects[index]));
}

ContextState DefaultState() {
  ContextState state;
  state.pen = StockAs<Pen>(BLACK_PEN);
  state.brush = StockAs<Brush>(WHITE_BRUSH);
  state.font = StockAs<Font>(SYSTEM_FONT);
  state.palette = StockAs<Palette>(DEFAULT_PALETTE);
  return state;
}

}  // namespace

std::shared_ptr<DeviceContext> NewContext() {
  auto context = std::make_shared<DeviceContext>();
  context->state = DefaultState();
  context->handle = reinterpret_cast<HDC>(AddObject(context));
  return context;
}

HGDIOBJ AddObject(std::shared_ptr<GdiObject> object) { return Objects().Add(std::move(object)); }

std::shared_ptr<GdiObject> FindObject(HGDIOBJ handle) { return handle ? Objects().Find(handle) : nullptr; }

std::shared_ptr<DeviceContext> ContextOf(HDC dc) {
  auto context = ObjectAs<DeviceContext>(dc);
  if (!context) SetLastError(ERROR_INVALID_HANDLE);
  return context;
}

Surface* DeviceContext::Target() {
  if (window) return &window->canvas;
  return bitmap ? &bitmap->surface : nullptr;
}

POINT DeviceContext::ToDevice(int x, int y) const {
  return POINT{x - state.windowOrigin.x + state.viewportOrigin.x + origin.x,
               y - state.windowOrigin.y + state.viewportOrigin.y + origin.y};
}

RECT DeviceContext::ToDevice(const RECT& rect) const {
  POINT topLeft = ToDevice(rect.left, rect.top);
  return RECT{topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left, topLeft.y + rect.bottom - rect.top};
}

RECT DeviceContext::Clip() const {
  RECT area = Area();
  if (state.hasClip) IntersectRect(&area, &area, &state.clip);
  return area;
}

RECT DeviceContext::Area() const {
  RECT area = bounds;
  if (window) {
    // A window context never draws past the window, even after a resize.
    RECT canvas{0, 0, window->canvas.Width(), window->canvas.Height()};
    IntersectRect(&area, &area, &canvas);
  } else if (bitmap) {
    area = RECT{0, 0, bitmap->surface.Width(), bitmap->surface.Height()};
  }
  return area;
}

void DeviceContext::Touched() {
  if (Surface* target = Target()) target->Touch();
}

HDC CreateWindowContext(HWND handle, bool wholeWindow, const RECT* clip) {
  auto window = WindowOf(handle);
  if (!window) return nullptr;
  auto context = NewContext();
  context->window = window;
  RECT client = window->ClientArea();
  if (wholeWindow) {
    context->bounds = RECT{0, 0, window->Width(), window->Height()};
  } else {
    context->bounds = client;
    context->origin = POINT{client.left, client.top};
  }
  if (clip) {
    RECT limit = *clip;
    OffsetRect(&limit, context->origin.x, context->origin.y);
    IntersectRect(&context->bounds, &context->bounds, &limit);
  }
  return context->handle;
}

}  // namespace layer

using layer::ContextOf;
using layer::ObjectAs;

namespace {

// The screen's context: fonts and metrics work, drawing reaches no pixels
// (the screen belongs to the desktop).
HDC ScreenContext() {
  auto context = layer::NewContext();
  context->screen = true;
  return context->handle;
}

}  // namespace

HDC GetDC(HWND window) { return window ? layer::CreateWindowContext(window, false, nullptr) : ScreenContext(); }

HDC GetWindowDC(HWND window) { return window ? layer::CreateWindowContext(window, true, nullptr) : ScreenContext(); }

int ReleaseDC(HWND, HDC dc) {
  auto context = ObjectAs<layer::DeviceContext>(dc);
  if (!context || !(context->window || context->screen)) return 0;
  context->Touched();
  layer::Objects().Remove(dc);
  return 1;
}

HDC CreateCompatibleDC(HDC) {
  auto context = layer::NewContext();
  context->bitmap = std::dynamic_pointer_cast<layer::Bitmap>(layer::FindObject(layer::Stocks().defaultBitmap));
  return context->handle;
}

BOOL DeleteDC(HDC dc) {
  auto context = ObjectAs<layer::DeviceContext>(dc);
  if (!context) return FALSE;
  if (context->bitmap) context->bitmap->selectedIn = 0;
  if (context->vector) context->vector->Released();
  return layer::Objects().Remove(dc);
}

HWND WindowFromDC(HDC dc) {
  auto context = ObjectAs<layer::DeviceContext>(dc);
  return context && context->window ? context->window->handle : nullptr;
}

int SaveDC(HDC dc) {
  auto context = ContextOf(dc);
  if (!context) return 0;
  context->saved.push_back(context->state);
  return static_cast<int>(context->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  auto context = ContextOf(dc);
  if (!context) return FALSE;
  int count = static_cast<int>(context->saved.size());
  int level = saved < 0 ? count + saved + 1 : saved;
  if (level < 1 || level > count) return FALSE;
  context->state = context->saved[static_cast<std::size_t>(level - 1)];
  context->saved.resize(static_cast<std::size_t>(level - 1));
  return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
  auto context = ContextOf(dc);
  if (!context) return 0;
  return context->caps ? context->caps->Get(index) : layer::ScreenCaps().Get(index);
}

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
  return layer::Stocks().objects[index];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index > COLOR_INFOBK) return nullptr;
  return reinterpret_cast<HBRUSH>(layer::Stocks().sysColorBrushes[index]);
}

namespace {

HGDIOBJ Recall(const layer::GdiObject* object) { return object ? layer::Objects().HandleOf(object) : nullptr; }

}  // namespace

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
  auto context = ContextOf(dc);
  auto object = layer::FindObject(handle);
  if (!context || !object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  layer::ContextState& state = context->state;
  switch (object->Kind()) {
    case OBJ_PEN: {
      HGDIOBJ old = Recall(state.pen.get());
      state.pen = std::static_pointer_cast<layer::Pen>(object);
      return old;
    }
    case OBJ_BRUSH: {
      HGDIOBJ old = Recall(state.brush.get());
      state.brush = std::static_pointer_cast<layer::Brush>(object);
      return old;
    }
    case OBJ_FONT: {
      HGDIOBJ old = Recall(state.font.get());
      state.font = std::static_pointer_cast<layer::Font>(object);
      return old;
    }
    case OBJ_BITMAP: {
      auto bitmap = std::static_pointer_cast<layer::Bitmap>(object);
      if (context->window) return nullptr;  // only memory contexts hold bitmaps
      if (bitmap->selectedIn && bitmap != context->bitmap && !bitmap->stock) return nullptr;
      HGDIOBJ old = Recall(context->bitmap.get());
      if (context->bitmap) context->bitmap->selectedIn = 0;
      context->bitmap = bitmap;
      bitmap->selectedIn = 1;
      state.hasClip = false;
      return old;
    }
    case OBJ_REGION: {
      return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(SelectClipRgn(dc, reinterpret_cast<HRGN>(handle))));
    }
    default:
      return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ handle) {
  auto object = layer::FindObject(handle);
  if (!object || object->Kind() == OBJ_DC || object->Kind() == OBJ_MEMDC) return FALSE;
  if (object->stock) return TRUE;
  // A context that still holds the object keeps it alive until it lets go.
  return layer::Objects().Remove(handle);
}

DWORD GetObjectType(HGDIOBJ handle) {
  auto object = layer::FindObject(handle);
  return object ? object->Kind() : 0;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  auto context = ContextOf(dc);
  if (!context) return nullptr;
  switch (kind) {
    case OBJ_PEN: return Recall(context->state.pen.get());
    case OBJ_BRUSH: return Recall(context->state.brush.get());
    case OBJ_FONT: return Recall(context->state.font.get());
    case OBJ_PAL: return Recall(context->state.palette.get());
    case OBJ_BITMAP: return Recall(context->bitmap.get());
    default: return nullptr;
  }
}

int GetObject(HGDIOBJ handle, int size, LPVOID buffer) {
  auto object = layer::FindObject(handle);
  if (!object) return 0;
  auto copyOut = [&](const void* data, int length) {
    if (!buffer) return length;
    if (size < length) return 0;
    std::memcpy(buffer, data, static_cast<std::size_t>(length));
    return length;
  };
  switch (object->Kind()) {
    case OBJ_PEN: return copyOut(&static_cast<layer::Pen&>(*object).log, sizeof(LOGPEN));
    case OBJ_BRUSH: return copyOut(&static_cast<layer::Brush&>(*object).log, sizeof(LOGBRUSH));
    case OBJ_FONT: return copyOut(&static_cast<layer::Font&>(*object).log, sizeof(LOGFONTA));
    case OBJ_PAL: {
      WORD count = static_cast<WORD>(static_cast<layer::Palette&>(*object).entries.size());
      return copyOut(&count, sizeof count);
    }
    case OBJ_BITMAP: {
      auto& bitmap = static_cast<layer::Bitmap&>(*object);
      int bits = bitmap.surface.m_bitsPerPixel;
      BITMAP info{0, bitmap.surface.Width(), bitmap.surface.Height(),
                  WIDTHBYTES(bitmap.surface.Width() * bits) , 1, static_cast<WORD>(bits), nullptr};
      return copyOut(&info, sizeof info);
    }
    default:
      return 0;
  }
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
  return reinterpret_cast<HPEN>(layer::AddObject(layer::MakePen(static_cast<UINT>(style), std::max(width, 0), color)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return reinterpret_cast<HBRUSH>(layer::AddObject(layer::MakeBrush(BS_SOLID, color)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  // Hatched brushes are drawn as solid ones: no screen of the system uses hatches.
  UINT style = brush->lbStyle == BS_NULL ? BS_NULL : BS_SOLID;
  return reinterpret_cast<HBRUSH>(layer::AddObject(layer::MakeBrush(style, brush->lbColor)));
}

HFONT CreateFontIndirect(const LOGFONTA* font) {
  if (!font) return nullptr;
  auto created = std::make_shared<layer::Font>();
  created->log = *font;
  created->log.lfFaceName[LF_FACESIZE - 1] = '\0';
  return reinterpret_cast<HFONT>(layer::AddObject(created));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA log{height, width, escapement, orientation, weight, static_cast<BYTE>(italic ? 1 : 0),
               static_cast<BYTE>(underline ? 1 : 0), static_cast<BYTE>(strikeOut ? 1 : 0),
               static_cast<BYTE>(charSet), static_cast<BYTE>(outPrecision), static_cast<BYTE>(clipPrecision),
               static_cast<BYTE>(quality), static_cast<BYTE>(pitchAndFamily), {}};
  if (face) std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&log);
}

namespace {

// Bitmaps larger than this are refused, so a damaged size fails cleanly.
constexpr long long kMaxBitmapPixels = 1LL << 28;

HBITMAP NewBitmap(int width, int height, int bitsPerPixel, std::uint32_t fill) {
  if (width < 0 || height < 0 || static_cast<long long>(width) * height > kMaxBitmapPixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = std::make_shared<layer::Bitmap>();
  if (bitsPerPixel == 1 && layer::IsBlackOrWhite(fill))
    bitmap->surface = layer::Surface::Bilevel(width, height, fill == layer::kWhitePixel);
  else
    bitmap->surface.Resize(width, height, fill);
  bitmap->surface.m_bitsPerPixel = bitsPerPixel;
  return reinterpret_cast<HBITMAP>(layer::AddObject(bitmap));
}

}  // namespace

namespace layer {
HBITMAP NewBitmapFilled(int width, int height, int bitsPerPixel, std::uint32_t fill) {
  return NewBitmap(width, height, bitsPerPixel, fill);
}
}  // namespace layer

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto context = ContextOf(dc);
  if (!context) return nullptr;
  // A memory context that still holds its first 1 x 1 bitmap makes monochrome bitmaps, as on the platform.
  int bits = context->bitmap ? context->bitmap->surface.m_bitsPerPixel : 32;
  return NewBitmap(width, height, bits, 0xFF000000u);
}

namespace {

// One-bit rows into a byte a pixel, eight pixels at a time: a plain byte
// (all white, all black) is one fill.
void UnpackOneBitRow(const BYTE* row, int width, std::uint8_t* out) {
  for (int x = 0; x < width; x += 8) {
    const BYTE bits = row[x / 8];
    const int count = std::min(8, width - x);
    if (bits == 0xFF || bits == 0x00) {
      std::memset(out + x, bits ? 255 : 0, static_cast<std::size_t>(count));
      continue;
    }
    for (int k = 0; k < count; ++k) out[x + k] = (bits & (0x80 >> k)) ? 255 : 0;
  }
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1) return nullptr;
  HBITMAP bitmap = NewBitmap(width, height, static_cast<int>(bitsPerPixel), 0xFF000000u);
  if (!bitmap || !bits) return bitmap;
  auto object = ObjectAs<layer::Bitmap>(bitmap);
  const BYTE* rows = static_cast<const BYTE*>(bits);
  // Device-dependent rows are padded to 16 bits.
  int stride = ((width * static_cast<int>(bitsPerPixel) + 15) / 16) * 2;
  layer::Surface& surface = object->surface;
  if (surface.Narrow()) {
    for (int y = 0; y < height; ++y) {
      const BYTE* row = rows + static_cast<std::size_t>(y) * stride;
      std::uint8_t* out = surface.NarrowRow(y);
      UnpackOneBitRow(row, width, out);
    }
    return bitmap;
  }
  for (int y = 0; y < height; ++y) {
    const BYTE* row = rows + static_cast<std::size_t>(y) * stride;
    std::uint32_t* out = surface.Row(y);
    for (int x = 0; x < width; ++x) {
      switch (bitsPerPixel) {
        case 1: out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u; break;
        case 24: out[x] = 0xFF000000u | (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x]; break;
        case 32: out[x] = 0xFF000000u | (row[4 * x + 2] << 16) | (row[4 * x + 1] << 8) | row[4 * x]; break;
        default: break;
      }
    }
  }
  return bitmap;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  auto context = ContextOf(dc);
  if (!context) return CLR_INVALID;
  return std::exchange(context->state.textColor, color);
}
COLORREF GetTextColor(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  auto context = ContextOf(dc);
  if (!context) return CLR_INVALID;
  return std::exchange(context->state.bkColor, color);
}
COLORREF GetBkColor(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.bkColor : CLR_INVALID;
}
int SetBkMode(HDC dc, int mode) {
  auto context = ContextOf(dc);
  if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(context->state.bkMode, mode);
}
int GetBkMode(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.bkMode : 0;
}
int SetROP2(HDC dc, int mode) {
  auto context = ContextOf(dc);
  if (!context || mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(context->state.rop2, mode);
}
int GetROP2(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.rop2 : 0;
}
UINT SetTextAlign(HDC dc, UINT align) {
  auto context = ContextOf(dc);
  if (!context) return GDI_ERROR;
  return std::exchange(context->state.textAlign, align);
}
UINT GetTextAlign(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.textAlign : GDI_ERROR;
}
int SetStretchBltMode(HDC dc, int mode) {
  auto context = ContextOf(dc);
  if (!context || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(context->state.stretchMode, mode);
}
int GetStretchBltMode(HDC dc) {
  auto context = ContextOf(dc);
  return context ? context->state.stretchMode : 0;
}

namespace {

// The points of a context's state (origins, current position): read, or
// replaced with the old value handed back.
BOOL ReplacePoint(HDC dc, POINT layer::ContextState::*field, POINT value, LPPOINT old) {
  auto context = ContextOf(dc);
  if (!context) return FALSE;
  if (old) *old = context->state.*field;
  context->state.*field = value;
  return TRUE;
}

BOOL ReadPoint(HDC dc, POINT layer::ContextState::*field, LPPOINT out) {
  auto context = ContextOf(dc);
  if (!context || !out) return FALSE;
  *out = context->state.*field;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return ReplacePoint(dc, &layer::ContextState::viewportOrigin, POINT{x, y}, old);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) { return ReadPoint(dc, &layer::ContextState::viewportOrigin, origin); }
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
  POINT origin;
  if (!GetViewportOrgEx(dc, &origin)) return FALSE;
  return SetViewportOrgEx(dc, origin.x + dx, origin.y + dy, old);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return ReplacePoint(dc, &layer::ContextState::windowOrigin, POINT{x, y}, old);
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin) { return ReadPoint(dc, &layer::ContextState::windowOrigin, origin); }

namespace {

// The clip box in logical coordinates and what kind of area it is.
int ClipBoxOf(layer::DeviceContext& context, LPRECT rect) {
  RECT clip = context.Clip();
  POINT zero = context.ToDevice(0, 0);
  OffsetRect(&clip, -zero.x, -zero.y);
  if (rect) *rect = IsRectEmpty(&clip) ? RECT{} : clip;
  return IsRectEmpty(&clip) ? NULLREGION : SIMPLEREGION;
}

}  // namespace

int GetClipBox(HDC dc, LPRECT rect) {
  auto context = ContextOf(dc);
  if (!context) return ERROR;
  return ClipBoxOf(*context, rect);
}

BOOL RectVisible(HDC dc, const RECT* rect) {
  auto context = ContextOf(dc);
  if (!context || !rect) return FALSE;
  RECT device = context->ToDevice(*rect), clip = context->Clip(), common;
  return IntersectRect(&common, &device, &clip);
}

BOOL PtVisible(HDC dc, int x, int y) {
  auto context = ContextOf(dc);
  if (!context) return FALSE;
  RECT clip = context->Clip();
  return PtInRect(&clip, context->ToDevice(x, y));
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  auto context = ContextOf(dc);
  if (!context) return ERROR;
  RECT device = context->ToDevice(RECT{left, top, right, bottom});
  RECT current = context->state.hasClip ? context->state.clip : context->Area();
  IntersectRect(&context->state.clip, &current, &device);
  context->state.hasClip = true;
  return ClipBoxOf(*context, nullptr);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  auto context = ContextOf(dc);
  if (!context) return ERROR;
  // A rectangle clip can only lose a band that spans it fully.
  RECT device = context->ToDevice(RECT{left, top, right, bottom});
  RECT& clip = context->state.hasClip ? context->state.clip : (context->state.clip = context->Area());
  context->state.hasClip = true;
  if (device.top <= clip.top && device.bottom >= clip.bottom) {
    if (device.left <= clip.left && device.right > clip.left) clip.left = std::min(device.right, clip.right);
    else if (device.right >= clip.right && device.left < clip.right) clip.right = std::max(device.left, clip.left);
  } else if (device.left <= clip.left && device.right >= clip.right) {
    if (device.top <= clip.top && device.bottom > clip.top) clip.top = std::min(device.bottom, clip.bottom);
    else if (device.bottom >= clip.bottom && device.top < clip.bottom) clip.bottom = std::max(device.top, clip.top);
  }
  return ClipBoxOf(*context, nullptr);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto region = std::make_shared<layer::Region>();
  region->box = RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  return reinterpret_cast<HRGN>(layer::AddObject(region));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

int GetRgnBox(HRGN handle, LPRECT rect) {
  auto region = ObjectAs<layer::Region>(handle);
  if (!region || !rect) return ERROR;
  *rect = region->box;
  return IsRectEmpty(rect) ? NULLREGION : SIMPLEREGION;
}

int SelectClipRgn(HDC dc, HRGN handle) {
  auto context = ContextOf(dc);
  if (!context) return ERROR;
  if (!handle) {
    context->state.hasClip = false;
    return ClipBoxOf(*context, nullptr);
  }
  auto region = ObjectAs<layer::Region>(handle);
  if (!region) return ERROR;
  // Regions are in device coordinates relative to the context's own origin.
  RECT device = region->box;
  OffsetRect(&device, context->origin.x, context->origin.y);
  RECT area = context->Area();
  IntersectRect(&context->state.clip, &device, &area);
  context->state.hasClip = true;
  return ClipBoxOf(*context, nullptr);
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old) {
  return ReplacePoint(dc, &layer::ContextState::position, POINT{x, y}, old);
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT point) { return ReadPoint(dc, &layer::ContextState::position, point); }
