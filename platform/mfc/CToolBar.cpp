#include "mfc/CToolBar.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "mfc/CFrameWnd.h"
#include "mfc/CWinApp.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_LBUTTONDOWN()
  VARNO_ON_MESSAGE(WM_SYSCOLORCHANGE, t->OnSysColorChange(); return 0)
END_MESSAGE_MAP()

namespace {

constexpr int kButtonExtra = 7;
constexpr int kSeparatorWidth = 8;

// The toolbar resource: a version word, the image size, the count, the ids.
struct ToolbarResource {
  int width = 0;
  int height = 0;
  std::vector<UINT> ids;
};

// The platform's layout: 16-bit fields, version 1 first.
bool ReadSixteenBitFields(const BYTE* data, DWORD size, ToolbarResource* out) {
  const auto* words = reinterpret_cast<const WORD*>(data);
  if (size < 8 || words[0] != 1 || words[1] == 0 || words[2] == 0) return false;
  const WORD count = words[3];
  if (size != 8u + 2u * count) return false;
  out->width = words[1];
  out->height = words[2];
  out->ids.assign(words + 4, words + 4 + count);
  return true;
}

// Binutils' resource compiler writes the fields 32 bits wide, without the
// version: width, height, count, ids.
bool ReadThirtyTwoBitFields(const BYTE* data, DWORD size, ToolbarResource* out) {
  const auto* fields = reinterpret_cast<const DWORD*>(data);
  if (size < 12 || fields[0] == 0 || fields[1] == 0 || fields[0] > 0xFFFF || fields[1] > 0xFFFF) return false;
  const DWORD count = fields[2];
  if (count > (size - 12) / 4 || size != 12u + 4u * count) return false;
  out->width = static_cast<int>(fields[0]);
  out->height = static_cast<int>(fields[1]);
  out->ids.assign(fields + 3, fields + 3 + count);
  return true;
}

bool ReadToolbarResource(LPCSTR name, ToolbarResource* out) {
  HINSTANCE module = AfxFindResourceHandle(name, RT_TOOLBAR);
  HRSRC found = FindResource(module, name, RT_TOOLBAR);
  if (!found) return false;
  const DWORD size = SizeofResource(module, found);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  if (!data) return false;
  return ReadSixteenBitFields(data, size, out) || ReadThirtyTwoBitFields(data, size, out);
}

// The picture's black, greys and white become the system's colours for
// button text, shadow, face and highlight.
COLORREF SystemColourFor(BYTE red, BYTE green, BYTE blue, bool* mapped) {
  struct Mapping {
    BYTE value;
    int system;
  };
  static const Mapping mappings[] = {{0, COLOR_BTNTEXT}, {128, COLOR_BTNSHADOW}, {192, COLOR_BTNFACE}, {255, COLOR_BTNHIGHLIGHT}};
  *mapped = false;
  if (red != green || green != blue) return 0;
  for (const Mapping& mapping : mappings) {
    if (mapping.value == red) {
      *mapped = true;
      return GetSysColor(mapping.system);
    }
  }
  return 0;
}

// A bitmap resource with its colour table in the system colours; pictures
// without a colour table come as they are.
HBITMAP LoadSystemColourBitmap(LPCSTR name) {
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC found = FindResource(module, name, RT_BITMAP);
  if (!found) return nullptr;
  const DWORD size = SizeofResource(module, found);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  if (!data || size < sizeof(BITMAPINFOHEADER)) return nullptr;
  std::vector<BYTE> copy(data, data + size);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(copy.data());
  if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biBitCount > 8) return LoadBitmap(module, name);
  const DWORD colours = header->biClrUsed ? header->biClrUsed : (1u << header->biBitCount);
  const size_t tableEnd = header->biSize + static_cast<size_t>(colours) * sizeof(RGBQUAD);
  if (tableEnd > copy.size()) return nullptr;
  auto* table = reinterpret_cast<RGBQUAD*>(copy.data() + header->biSize);
  for (DWORD i = 0; i < colours; ++i) {
    bool mapped = false;
    const COLORREF colour = SystemColourFor(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, &mapped);
    if (!mapped) continue;
    table[i].rgbRed = GetRValue(colour);
    table[i].rgbGreen = GetGValue(colour);
    table[i].rgbBlue = GetBValue(colour);
  }
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, copy.data() + tableEnd, reinterpret_cast<BITMAPINFO*>(header),
                                  DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

int ImagesIn(HBITMAP bitmap, int imageWidth) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info) || imageWidth <= 0) return 0;
  return info.bmWidth / imageWidth;
}

// The command-update object of a toolbar button.
class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CToolBar*>(m_pOther);
    UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
    if (!on) style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;  // a disabled button is not held down
    if (style != bar->GetButtonStyle(static_cast<int>(m_nIndex))) bar->SetButtonStyle(static_cast<int>(m_nIndex), style);
  }
  void SetCheck(int check) override {
    auto* bar = static_cast<CToolBar*>(m_pOther);
    const UINT old = bar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT style = old & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (check == 1) style |= TBBS_CHECKED;
    else if (check == 2) style |= TBBS_INDETERMINATE;
    style |= TBBS_CHECKBOX;
    if (style != old) bar->SetButtonStyle(static_cast<int>(m_nIndex), style);
  }
  void SetText(LPCSTR) override {}
};

}  // namespace

CToolBar::CToolBar() {
  m_cxLeftBorder = m_cxRightBorder = 6;
  m_cyTopBorder = m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() {
  if (m_bitmap) DeleteObject(m_bitmap);
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  InitCommonControls();
  m_dwStyle = style & CBRS_ALL;
  const DWORD windowStyle = (style & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id)) return FALSE;
  m_pDockSite = parent ? dynamic_cast<CFrameWnd*>(parent) : nullptr;
  if (!m_pDockSite) m_pDockSite = GetParentFrame();
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetSizes(SIZE button, SIZE image) {
  m_sizeButton = button;
  m_sizeImage = image;
  if (!m_hWnd) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
  Invalidate();
}

void CToolBar::SetHeight(int height) {
  m_cyBottomBorder = std::max(0, height - m_sizeButton.cy - m_cyTopBorder);
}

// The images come from the bitmap resource of the name, in the system's
// colours; nothing changes when it cannot be read.
BOOL CToolBar::MakeImages(LPCSTR name) {
  HBITMAP bitmap = LoadSystemColourBitmap(name);
  if (!bitmap) return FALSE;
  if (!SetBitmap(bitmap)) return FALSE;
  m_bitmapNameText = IS_INTRESOURCE(name) ? CString() : CString(name);
  m_bitmapName = IS_INTRESOURCE(name) ? name : nullptr;
  return TRUE;
}

BOOL CToolBar::LoadBitmap(LPCSTR name) { return MakeImages(name); }

BOOL CToolBar::SetBitmap(HBITMAP bitmap) {
  const int count = ImagesIn(bitmap, m_sizeImage.cx);
  if (count == 0) {
    if (bitmap) DeleteObject(bitmap);
    return FALSE;
  }
  CImageList images;
  images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | ILC_COLOR24, count, 4);
  if (ImageList_AddMasked(images, bitmap, GetSysColor(COLOR_BTNFACE)) < 0) {
    DeleteObject(bitmap);
    return FALSE;
  }
  if (m_bitmap) DeleteObject(m_bitmap);
  m_bitmap = bitmap;
  m_images.Attach(images.Detach());
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.m_hImageList));
  Invalidate();
  return TRUE;
}

// The resource, the bitmap and the count of images are checked before the
// bar changes: a bitmap with fewer images than buttons leaves it as it was.
BOOL CToolBar::LoadToolBar(LPCSTR name) {
  ToolbarResource resource;
  if (!ReadToolbarResource(name, &resource)) return FALSE;
  const auto images = static_cast<int>(std::count_if(resource.ids.begin(), resource.ids.end(), [](UINT id) { return id != ID_SEPARATOR; }));
  HBITMAP probe = LoadSystemColourBitmap(name);
  const int available = ImagesIn(probe, resource.width);
  if (probe) DeleteObject(probe);
  if (!probe || available < images) return FALSE;
  SetSizes(SIZE{resource.width + kButtonExtra, resource.height + kButtonExtra}, SIZE{resource.width, resource.height});
  if (!MakeImages(name)) return FALSE;
  return SetButtons(resource.ids.data(), static_cast<int>(resource.ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  if (count < 0) return FALSE;
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON& button = buttons[static_cast<size_t>(i)];
    button.iString = -1;
    button.fsState = TBSTATE_ENABLED;
    const UINT id = ids ? ids[i] : ID_SEPARATOR;
    if (id == ID_SEPARATOR) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = kSeparatorWidth;
    } else {
      button.idCommand = static_cast<int>(id);
      button.iBitmap = image++;
    }
  }
  m_nCount = count;
  if (count && !SendMessage(TB_ADDBUTTONS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
  return TRUE;
}

TBBUTTON CToolBar::Button(int index) const {
  TBBUTTON button{};
  SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  button.fsState ^= TBSTATE_ENABLED;  // the class library speaks of disabled buttons
  return button;
}

void CToolBar::SetButton(int index, const TBBUTTON& button) {
  TBBUTTONINFO info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE | TBIF_STATE | TBIF_STYLE;
  info.idCommand = button.idCommand;
  info.iImage = button.iBitmap;
  info.fsState = static_cast<BYTE>(button.fsState ^ TBSTATE_ENABLED);
  info.fsStyle = button.fsStyle;
  SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

int CToolBar::CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }

UINT CToolBar::GetItemID(int index) const {
  const TBBUTTON button = Button(index);
  return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  if (!rect) return;
  if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect))) ::SetRectEmpty(rect);
}

UINT CToolBar::GetButtonStyle(int index) const {
  const TBBUTTON button = Button(index);
  return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  TBBUTTON button = Button(index);
  button.fsStyle = static_cast<BYTE>(LOWORD(style));
  button.fsState = static_cast<BYTE>(HIWORD(style));
  SetButton(index, button);
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const {
  const TBBUTTON button = Button(index);
  id = static_cast<UINT>(button.idCommand);
  style = MAKELONG(button.fsStyle, button.fsState);
  image = button.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image) {
  TBBUTTON button = Button(index);
  button.idCommand = static_cast<int>(id);
  button.fsStyle = static_cast<BYTE>(LOWORD(style));
  button.fsState = static_cast<BYTE>(HIWORD(style));
  button.iBitmap = image;
  SetButton(index, button);
}

BOOL CToolBar::SetButtonText(int index, LPCSTR text) {
  if (index < 0 || index >= static_cast<int>(SendMessage(TB_BUTTONCOUNT)) || !text) return FALSE;
  std::string both(text);
  both.push_back('\0');
  const auto added = static_cast<int>(SendMessage(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>(both.c_str())));
  if (added < 0) return FALSE;
  TBBUTTON button{};
  SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  button.iString = added;
  SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
  SendMessage(TB_INSERTBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  return TRUE;
}

CString CToolBar::GetButtonText(int index) const {
  TBBUTTON button{};
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) return CString();
  char text[256] = {};
  if (SendMessage(TB_GETBUTTONTEXT, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text)) < 0) return CString();
  return CString(text);
}

// Rows hold as many buttons as fit into width (one row for a negative
// width); standing bars have one button a row. The wrap marks follow.
CSize CToolBar::WrapButtons(int width, BOOL horizontal) {
  const auto count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  const LRESULT packed = SendMessage(TB_GETBUTTONSIZE);
  const SIZE button{LOWORD(packed), HIWORD(packed)};
  std::vector<TBBUTTON> items(static_cast<size_t>(count));
  std::vector<bool> wraps(static_cast<size_t>(count), false);
  for (int i = 0; i < count; ++i) SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&items[static_cast<size_t>(i)]));
  int x = 0, widest = 0, rows = 0, lastShown = -1;
  for (int i = 0; i < count; ++i) {
    const TBBUTTON& item = items[static_cast<size_t>(i)];
    if (item.fsState & TBSTATE_HIDDEN) continue;
    const bool separator = item.fsStyle & TBSTYLE_SEP;
    const int itemWidth = separator ? (item.iBitmap > 0 ? item.iBitmap : kSeparatorWidth) : button.cx;
    const bool full = horizontal ? (width > 0 && x > 0 && !separator && x + itemWidth > width) : lastShown >= 0;
    if (lastShown < 0) rows = 1;
    if (full) {
      wraps[static_cast<size_t>(lastShown)] = true;
      widest = std::max(widest, x);
      x = 0;
      ++rows;
    }
    x += itemWidth;
    lastShown = i;
  }
  widest = std::max(widest, x);
  for (int i = 0; i < count; ++i) {
    const BYTE state = items[static_cast<size_t>(i)].fsState;
    const BYTE wanted = static_cast<BYTE>(wraps[static_cast<size_t>(i)] ? (state | TBSTATE_WRAP) : (state & ~TBSTATE_WRAP));
    if (wanted == state) continue;
    TBBUTTONINFO info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = wanted;
    SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
  return CSize(widest, rows * button.cy);
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  CSize size = WrapButtons(horizontal ? -1 : 0, horizontal) + BorderSize(horizontal);
  if (stretch) {
    if (horizontal) size.cx = 32767;
    else size.cy = 32767;
  }
  return size;
}

CSize CToolBar::CalcDynamicLayout(int length, DWORD mode) {
  if (mode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZDOCK) != 0);
  const CSize borders = BorderSize(TRUE);
  const int width = length > 0 && !(mode & LM_LENGTHY) ? length - borders.cx : -1;
  return WrapButtons(width, TRUE) + borders;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(SendMessage(TB_BUTTONCOUNT));
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    const TBBUTTON button = Button(static_cast<int>(state.m_nIndex));
    if (button.fsStyle & TBSTYLE_SEP) continue;
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.DoUpdate(target, disableIfNoHandler);
  }
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  POINT at = point;
  const auto index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
  if (index < 0) return -1;
  const UINT id = GetItemID(index);
  if (id == ID_SEPARATOR) return -1;
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = id;
    GetItemRect(index, &info->rect);
    info->lpszText = LPSTR_TEXTCALLBACK;
  }
  return static_cast<INT_PTR>(id);
}

// A press beside the buttons takes the bar to another side or out to float.
void CToolBar::OnLButtonDown(UINT, CPoint point) {
  POINT at = point;
  if (SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)) < 0 && m_dwDockStyle && m_pDockSite) {
    StartDrag(point);
    return;
  }
  Default();
}

void CToolBar::OnSysColorChange() {
  const LPCSTR name = m_bitmapName ? m_bitmapName : (m_bitmapNameText.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_bitmapNameText));
  if (name) MakeImages(name);
  Default();
  Invalidate();
}
