#include "win32/Clipboard.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <string>

#include "win32/Gdi.h"
#include "win32/Memory.h"
#include "win32/OemCodepage.h"
#include "win32/ScreenBackend.h"

namespace {

struct ClipboardState {
  std::recursive_mutex lock;
  bool open = false;
  bool changed = false;  // formats were set while open: the desktop hears of them at closing
  HWND opener = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> formats;  // this program's data, or what it took from the desktop
  bool foreign = false;            // formats holds data taken from another program
  bool published = false;          // the desktop was offered this program's formats
  layer::ClipboardBackend* backend = nullptr;
};

ClipboardState& State() {
  layer::LoadScreenBackend();  // before any lock: the backend installs itself under it
  static ClipboardState state;
  return state;
}

void FreeData(UINT format, HANDLE data) {
  if (!data) return;
  if (format == CF_BITMAP || format == CF_PALETTE) {
    DeleteObject(data);
  } else {
    GlobalFree(data);
  }
}

void FreeAll(ClipboardState& state) {
  for (auto& [format, data] : state.formats) FreeData(format, data);
  state.formats.clear();
}

std::vector<BYTE> BlockBytes(HANDLE data) {
  std::vector<BYTE> bytes;
  SIZE_T size = GlobalSize(data);
  const auto* start = static_cast<const BYTE*>(GlobalLock(data));
  if (start && size) bytes.assign(start, start + size);
  GlobalUnlock(data);
  return bytes;
}

HGLOBAL BlockOf(const std::vector<BYTE>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(bytes.size(), 1));
  if (!block) return nullptr;
  if (!bytes.empty()) std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string TextOf(const std::vector<BYTE>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

std::vector<BYTE> Terminated(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// Text between the ANSI and the OEM code page; a character that the OEM code
// page lacks becomes '?'.
std::string AnsiText(const std::string& oem) {
  std::string text = oem;
  for (char& c : text) c = static_cast<char>(layer::OemToAnsi(static_cast<unsigned char>(c)));
  return text;
}

std::string OemText(const std::string& ansi) {
  static const auto inverse = [] {
    std::array<int, 256> table;
    table.fill(-1);
    for (int c = 255; c >= 0; --c) table[layer::OemToAnsi(static_cast<unsigned char>(c))] = c;
    return table;
  }();
  std::string text = ansi;
  for (char& c : text) {
    int oem = inverse[static_cast<unsigned char>(c)];
    c = oem < 0 ? '?' : static_cast<char>(oem);
  }
  return text;
}

// A bitmap object as a packed 32-bit device-independent bitmap.
std::vector<BYTE> PackedBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), info.bmWidth, info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> bytes(sizeof header + static_cast<std::size_t>(info.bmWidth) * info.bmHeight * 4);
  std::memcpy(bytes.data(), &header, sizeof header);
  HDC dc = GetDC(nullptr);
  int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), bytes.data() + sizeof header,
                        reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return lines > 0 ? bytes : std::vector<BYTE>{};
}

HBITMAP BitmapOf(const std::vector<BYTE>& packed) {
  if (packed.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
  const BITMAPINFOHEADER& header = info->bmiHeader;
  std::size_t colours = header.biClrUsed ? header.biClrUsed : header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
  std::size_t offset = header.biSize + colours * sizeof(RGBQUAD) + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  if (offset >= packed.size()) return nullptr;
  HDC dc = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(dc, &header, CBM_INIT, packed.data() + offset, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return bitmap;
}

// The bytes of this program's formats that the desktop is offered.
std::map<UINT, std::vector<BYTE>> Offered(const ClipboardState& state) {
  std::map<UINT, std::vector<BYTE>> offered;
  for (const auto& [format, data] : state.formats) {
    if (format == CF_BITMAP) {
      std::vector<BYTE> packed = PackedBitmap(static_cast<HBITMAP>(data));
      if (!packed.empty()) offered[CF_BITMAP] = std::move(packed);
    } else if (format != CF_PALETTE) {
      offered[format] = BlockBytes(data);
    }
  }
  return offered;
}

// Another program took the desktop's clipboard: this program's data go.
void ForgetOwnIfReplaced(ClipboardState& state) {
  if (!state.backend || state.foreign || state.formats.empty() || !state.published) return;
  if (state.backend->HoldsOwnData()) return;
  FreeAll(state);
  state.owner = nullptr;
}

std::vector<UINT> ForeignFormats(ClipboardState& state) {
  if (!state.backend || state.backend->HoldsOwnData()) return {};
  return state.backend->Formats();
}

bool Offers(const std::vector<UINT>& formats, UINT format) {
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

// The format another program's data are fetched as: the desktop gives text
// and pictures, the other text and picture formats are made from them.
UINT FetchedAs(UINT format) {
  if (format == CF_OEMTEXT) return CF_TEXT;
  if (format == CF_BITMAP) return CF_DIB;
  return format;
}

bool MayFetch(ClipboardState& state) {
  return state.backend && (state.foreign || state.formats.empty()) && !state.backend->HoldsOwnData();
}

HANDLE Fetched(ClipboardState& state, UINT format) {
  std::vector<BYTE> bytes;
  if (!state.backend->Fetch(format, bytes)) return nullptr;
  state.foreign = true;
  return state.formats[format] = BlockOf(bytes);
}

// The data of a format: this program's own, made from another of its own
// text formats, or taken from the desktop.
HANDLE Provide(ClipboardState& state, UINT format) {
  auto found = state.formats.find(format);
  if (found != state.formats.end()) return found->second;
  UINT partner = format == CF_TEXT ? CF_OEMTEXT : format == CF_OEMTEXT ? CF_TEXT : 0;
  auto text = partner ? state.formats.find(partner) : state.formats.end();
  if (text == state.formats.end() && !MayFetch(state)) return nullptr;
  if (text == state.formats.end() && FetchedAs(format) == format) return Fetched(state, format);
  HANDLE made = nullptr;
  if (format == CF_BITMAP) {
    HANDLE dib = Provide(state, CF_DIB);
    made = dib ? static_cast<HANDLE>(BitmapOf(BlockBytes(dib))) : nullptr;
  } else {
    HANDLE source = text != state.formats.end() ? text->second : Provide(state, partner);
    if (!source) return nullptr;
    std::string value = TextOf(BlockBytes(source));
    made = BlockOf(Terminated(format == CF_OEMTEXT ? OemText(value) : AnsiText(value)));
  }
  if (made) state.formats[format] = made;
  return made;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  if (state.open) return FALSE;
  state.open = true;
  state.changed = false;
  state.opener = owner;
  ForgetOwnIfReplaced(state);
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  if (!state.open) return FALSE;
  state.open = false;
  if (state.changed && state.backend) state.published = state.backend->Publish(Offered(state));
  state.changed = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  if (!state.open) return FALSE;
  FreeAll(state);
  state.foreign = false;
  state.published = false;
  state.changed = true;
  state.owner = state.opener;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  if (!state.open) return nullptr;
  if (state.foreign) {
    FreeAll(state);  // what was taken from another program gives way to this program's data
    state.foreign = false;
  }
  auto found = state.formats.find(format);
  if (found != state.formats.end() && found->second != data) FreeData(format, found->second);
  state.formats[format] = data;
  state.changed = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  if (!state.open) return nullptr;
  return Provide(state, format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  ForgetOwnIfReplaced(state);
  bool text = format == CF_TEXT || format == CF_OEMTEXT;
  if (state.formats.count(format) || (text && (state.formats.count(CF_TEXT) || state.formats.count(CF_OEMTEXT)))) return TRUE;
  if (!state.formats.empty() && !state.foreign) return FALSE;
  std::vector<UINT> offered = ForeignFormats(state);
  return Offers(offered, format) || Offers(offered, FetchedAs(format)) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  ForgetOwnIfReplaced(state);
  if (!state.formats.empty() && !state.foreign) return static_cast<int>(state.formats.size());
  std::vector<UINT> formats = ForeignFormats(state);
  return formats.empty() ? static_cast<int>(state.formats.size()) : static_cast<int>(formats.size());
}

HWND GetClipboardOwner() {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  ForgetOwnIfReplaced(state);
  return state.owner;
}

namespace layer {

void InstallClipboardBackend(ClipboardBackend* backend) {
  ClipboardState& state = State();
  std::lock_guard<std::recursive_mutex> guard(state.lock);
  state.backend = backend;
}

}  // namespace layer
