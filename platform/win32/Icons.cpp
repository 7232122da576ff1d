#include "win32/Icons.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <mutex>

#include "win32/Errors.h"
#include "win32/GdiObjects.h"
#include "win32/Resources.h"
#include "win32/ScreenBackend.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

class Icon : public GdiObject {
 public:
  DWORD Kind() const override { return 0; }  // not one of the drawing objects
  IconPicture picture;
};

std::mutex iconsMutex;
SystemIconSource& Source() {
  static auto* source = new SystemIconSource;
  return *source;
}
std::map<std::pair<HINSTANCE, std::string>, HICON>& Loaded() {
  static auto* loaded = new std::map<std::pair<HINSTANCE, std::string>, HICON>;
  return *loaded;
}

std::string KeyOf(LPCSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name);
}

// Plain pictures of the system's icons: a disc or a triangle with a sign.
IconPicture PlainSystemIcon(WORD id, int size) {
  IconPicture picture;
  picture.width = picture.height = size;
  picture.pixels.assign(static_cast<std::size_t>(size) * size, 0);
  double centre = (size - 1) / 2.0, radius = size / 2.0 - 1;
  std::uint32_t ground = id == 32513 ? 0xFFD03030u : id == 32515 ? 0xFFF0C020u : 0xFF2060C0u;
  std::uint32_t sign = id == 32515 ? 0xFF000000u : 0xFFFFFFFFu;
  double unit = size / 32.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = x - centre, dy = y - centre;
      bool inside;
      if (id == 32515) inside = y >= 2 * unit && std::abs(dx) <= (y - 2 * unit) * 0.58 + unit;
      else if (id == 32512) inside = std::abs(dx) <= radius && std::abs(dy) <= radius * 0.8;
      else inside = dx * dx + dy * dy <= radius * radius;
      if (!inside) continue;
      bool onSign = false;
      if (id == 32513) onSign = std::abs(std::abs(dx) - std::abs(dy)) < 2.2 * unit && std::abs(dx) < radius * 0.5;
      else if (id == 32512) onSign = dy < -radius * 0.45;
      else if (id == 32514) onSign = (std::abs(dx) < 1.6 * unit && dy > -2 * unit && dy < 5 * unit) ||
                                     (std::abs(std::hypot(dx, dy + 6 * unit) - 5 * unit) < 1.6 * unit && dy < -4 * unit) ||
                                     (std::hypot(dx, dy - 9 * unit) < 2 * unit);
      else onSign = (std::abs(dx) < 1.8 * unit && std::abs(dy - (id == 32515 ? 2 : 3) * unit) < 6 * unit) ||
                    std::hypot(dx, dy + (id == 32515 ? -12 : 7) * unit) < 2 * unit;
      std::uint32_t pixel = onSign ? sign : ground;
      if (id == 32512 && !onSign) pixel = 0xFFFFFFFFu;
      if (id == 32512 && onSign) pixel = 0xFF2060C0u;
      picture.pixels[static_cast<std::size_t>(y) * size + x] = pixel;
    }
  }
  return picture;
}

HICON SystemIcon(WORD id) {
  static const WORD ids[] = {32512, 32513, 32514, 32515, 32516, 32517};
  if (std::find(std::begin(ids), std::end(ids), id) == std::end(ids)) return nullptr;
  if (id == 32517) id = 32512;
  int size = GetSystemMetrics(SM_CXICON);
  IconPicture picture;
  SystemIconSource source;
  LoadScreenBackend();
  {
    std::lock_guard<std::mutex> lock(iconsMutex);
    source = Source();
  }
  if (!source || !source(id, size, picture)) picture = PlainSystemIcon(id, size);
  return IconFromPicture(std::move(picture));
}

// The picture of a module's group (icon or cursor) that suits size best.
bool GroupPicture(HINSTANCE module, LPCSTR name, bool cursor, int size, IconPicture& picture) {
  DWORD groupSize = 0;
  const BYTE* group = ResourceBytes(module, name, cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON, &groupSize);
  if (!group) return false;
  std::vector<IconGroupEntry> entries;
  const IconGroupEntry* best = ReadIconGroup(group, groupSize, entries) ? BestIconEntry(entries, size, size) : nullptr;
  DWORD pictureSize = 0;
  const BYTE* bytes = best ? ResourceBytes(module, MAKEINTRESOURCE(best->id), cursor ? RT_CURSOR : RT_ICON, &pictureSize)
                           : nullptr;
  if (!bytes || !ReadIconPicture(bytes, pictureSize, cursor, picture)) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  return true;
}

void Blend(std::uint32_t& destination, std::uint32_t source) {
  std::uint32_t alpha = source >> 24;
  if (alpha == 0) return;
  if (alpha == 255) {
    destination = source;
    return;
  }
  std::uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    std::uint32_t s = (source >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
    out |= ((s * alpha + d * (255 - alpha)) / 255) << shift;
  }
  destination = out;
}

}  // namespace

const IconPicture* IconPictureOf(HICON icon) {
  auto object = ObjectAs<Icon>(icon);
  return object ? &object->picture : nullptr;
}

HICON IconFromPicture(IconPicture picture) {
  auto icon = std::make_shared<Icon>();
  icon->picture = std::move(picture);
  icon->stock = true;
  return static_cast<HICON>(AddObject(icon));
}

void SetSystemIconSource(SystemIconSource source) {
  std::lock_guard<std::mutex> lock(iconsMutex);
  Source() = std::move(source);
}

HCURSOR LoadCursorResource(HINSTANCE module, LPCSTR name) {
  IconPicture picture;
  if (!IS_INTRESOURCE(name) || !GroupPicture(module, name, true, 32, picture)) return nullptr;
  // The screen takes cursors of 32 x 32 pixels: a smaller picture sits at the top left.
  static std::mutex keptMutex;
  static std::deque<std::vector<std::uint32_t>> kept;
  std::vector<std::uint32_t> pixels(32 * 32, 0);
  for (int y = 0; y < std::min(picture.height, 32); ++y)
    for (int x = 0; x < std::min(picture.width, 32); ++x)
      pixels[static_cast<std::size_t>(y) * 32 + x] = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
  const std::uint32_t* stored;
  {
    std::lock_guard<std::mutex> lock(keptMutex);
    stored = kept.emplace_back(std::move(pixels)).data();
  }
  WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
  AddModuleCursor(module, id, CursorPicture{picture.hotX, picture.hotY, stored, IDC_ARROW});
  return LoadCursor(module, name);
}

}  // namespace layer

HICON LoadIcon(HINSTANCE module, LPCSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!module) {
    HICON icon = IS_INTRESOURCE(name) ? layer::SystemIcon(LOWORD(reinterpret_cast<ULONG_PTR>(name))) : nullptr;
    if (!icon) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return icon;
  }
  auto key = std::make_pair(module, layer::KeyOf(name));
  {
    std::lock_guard<std::mutex> lock(layer::iconsMutex);
    auto found = layer::Loaded().find(key);
    if (found != layer::Loaded().end()) return found->second;
  }
  layer::IconPicture picture;
  if (!layer::GroupPicture(module, name, false, GetSystemMetrics(SM_CXICON), picture)) return nullptr;
  HICON icon = layer::IconFromPicture(std::move(picture));
  std::lock_guard<std::mutex> lock(layer::iconsMutex);
  return layer::Loaded().emplace(key, icon).first->second;
}

BOOL DestroyIcon(HICON icon) { return layer::IconPictureOf(icon) ? TRUE : FALSE; }

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT flags) {
  const layer::IconPicture* picture = layer::IconPictureOf(icon);
  auto context = layer::ContextOf(dc);
  if (!picture || !context || picture->width <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (cx <= 0) cx = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : picture->width;
  if (cy <= 0) cy = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : picture->height;
  layer::Surface* target = context->Target();
  if (!target) return FALSE;
  RECT area = context->ToDevice(RECT{x, y, x + cx, y + cy});
  RECT clip = context->Clip(), visible;
  if (!IntersectRect(&visible, &area, &clip)) return TRUE;
  for (int row = visible.top; row < visible.bottom; ++row) {
    int sourceY = (row - area.top) * picture->height / (area.bottom - area.top);
    for (int column = visible.left; column < visible.right; ++column) {
      int sourceX = (column - area.left) * picture->width / (area.right - area.left);
      layer::Blend(target->Row(row)[column], picture->pixels[static_cast<std::size_t>(sourceY) * picture->width + sourceX]);
    }
  }
  context->Touched();
  return TRUE;
}
