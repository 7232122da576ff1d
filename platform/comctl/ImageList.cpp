// Image lists: pictures of one size, each kept as its colours and, for a
// list with a mask, as the pixels to leave out, so that drawing one lets
// the background show through.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "comctl/CommCtrl.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

using Pixels = std::vector<std::uint32_t>;  // 0x00RRGGBB, top row first

struct Image {
  HBITMAP colours = nullptr;  // as added
  HBITMAP cutOut = nullptr;   // the colours with the left-out pixels black
  HBITMAP mask = nullptr;     // white where left out, black elsewhere
};

void DeleteImage(Image& image) {
  for (HBITMAP bitmap : {image.colours, image.cutOut, image.mask})
    if (bitmap) DeleteObject(bitmap);
}

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool SizeOf(HBITMAP bitmap, int* width, int* height) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return false;
  *width = info.bmWidth;
  *height = info.bmHeight;
  return true;
}

Pixels Read(HBITMAP bitmap, int width, int height) {
  Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info = TopDownInfo(width, height);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (auto& pixel : pixels) pixel &= 0x00FFFFFFU;
  return pixels;
}

HBITMAP Write(const Pixels& pixels, int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  BITMAPINFO info = TopDownInfo(width, height);
  if (bitmap) SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

std::uint32_t PixelOf(COLORREF color) {
  return (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (static_cast<std::uint32_t>(GetGValue(color)) << 8) |
         GetBValue(color);
}

}  // namespace

struct ImageListData {
  int width = 0;
  int height = 0;
  UINT flags = 0;
  COLORREF background = CLR_NONE;
  std::vector<Image> images;

  ~ImageListData() {
    for (Image& image : images) DeleteImage(image);
  }

  bool Masked() const { return (flags & ILC_MASK) != 0; }

  // One image cut from a strip; left out are the pixels that the mask
  // strip has white, or that have the mask colour.
  Image Cut(const Pixels& strip, const Pixels* maskStrip, std::uint32_t maskColour, bool byColour, int stripWidth,
            int index) const {
    Pixels colours(static_cast<size_t>(width) * static_cast<size_t>(height));
    Pixels cutOut(colours.size()), mask(colours.size());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t from = static_cast<size_t>(y) * static_cast<size_t>(stripWidth) + static_cast<size_t>(index * width + x);
        const size_t to = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
        const bool leftOut = byColour ? strip[from] == maskColour : maskStrip && ((*maskStrip)[from] & 0xFFFFFF) != 0;
        colours[to] = strip[from];
        cutOut[to] = leftOut ? 0 : strip[from];
        mask[to] = leftOut ? 0xFFFFFFU : 0;
      }
    }
    return Image{Write(colours, width, height), Write(cutOut, width, height), Write(mask, width, height)};
  }

  // The images of a strip as wide as a whole number of images; -1 when it is not.
  int Add(HBITMAP strip, HBITMAP maskStrip, COLORREF maskColour, bool byColour) {
    int stripWidth = 0, stripHeight = 0;
    if (!SizeOf(strip, &stripWidth, &stripHeight) || stripHeight < height || stripWidth < width) return -1;
    const Pixels pixels = Read(strip, stripWidth, stripHeight);
    Pixels maskPixels;
    int maskWidth = 0, maskHeight = 0;
    if (maskStrip && SizeOf(maskStrip, &maskWidth, &maskHeight) && maskWidth >= stripWidth && maskHeight >= stripHeight)
      maskPixels = Read(maskStrip, stripWidth, stripHeight);
    const int first = static_cast<int>(images.size());
    for (int i = 0; i < stripWidth / width; ++i)
      images.push_back(Cut(pixels, maskPixels.empty() ? nullptr : &maskPixels, PixelOf(maskColour), byColour, stripWidth, i));
    return first;
  }
};

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int) {
  if (width <= 0 || height <= 0) return nullptr;
  auto* list = new ImageListData;
  list->width = width;
  list->height = height;
  list->flags = flags;
  list->images.reserve(static_cast<size_t>(std::max(initial, 0)));
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!list) return FALSE;
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? static_cast<int>(list->images.size()) : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  if (!list || !width || !height) return FALSE;
  *width = list->width;
  *height = list->height;
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  return list ? list->Add(image, mask, 0, false) : -1;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
  return list ? list->Add(image, nullptr, maskColor, true) : -1;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
  if (!list || index < 0 || index >= ImageList_GetImageCount(list)) return FALSE;
  ImageListData single;
  single.width = list->width;
  single.height = list->height;
  single.flags = list->flags;
  if (single.Add(image, mask, 0, false) < 0) return FALSE;
  DeleteImage(list->images[static_cast<size_t>(index)]);
  list->images[static_cast<size_t>(index)] = single.images.front();
  single.images.erase(single.images.begin());
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  if (!list || index < -1 || index >= ImageList_GetImageCount(list)) return FALSE;
  if (index == -1) {
    for (Image& image : list->images) DeleteImage(image);
    list->images.clear();
    return TRUE;
  }
  DeleteImage(list->images[static_cast<size_t>(index)]);
  list->images.erase(list->images.begin() + index);
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  if (!list) return CLR_NONE;
  const COLORREF old = list->background;
  list->background = color;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) { return list ? list->background : CLR_NONE; }

// A masked image leaves its left-out pixels alone (ILD_TRANSPARENT, or no
// background colour) or paints them in the background colour.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  if (!list || !dc || index < 0 || index >= ImageList_GetImageCount(list)) return FALSE;
  const Image& image = list->images[static_cast<size_t>(index)];
  if (list->Masked() && !(style & (ILD_TRANSPARENT | ILD_MASK)) && list->background != CLR_NONE) {
    HBRUSH brush = CreateSolidBrush(list->background);
    RECT area{x, y, x + list->width, y + list->height};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = nullptr;
  if (style & ILD_MASK) {
    old = SelectObject(memory, image.mask);
    BitBlt(dc, x, y, list->width, list->height, memory, 0, 0, SRCCOPY);
  } else if (list->Masked()) {
    old = SelectObject(memory, image.mask);
    BitBlt(dc, x, y, list->width, list->height, memory, 0, 0, SRCAND);
    SelectObject(memory, image.cutOut);
    BitBlt(dc, x, y, list->width, list->height, memory, 0, 0, SRCPAINT);
  } else {
    old = SelectObject(memory, image.colours);
    BitBlt(dc, x, y, list->width, list->height, memory, 0, 0, SRCCOPY);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  return TRUE;
}
