#include "Main/CV4TTWindow.h"

#include <algorithm>
#include <cstring>

#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "mfc/CFont.h"
#include "mfc/CPaintDC.h"
#include "win32/SystemParameters.h"
#include "win32/UserMessages.h"
#include "win32/CrossProcess.h"
#include "win32/UserWindows.h"

namespace {

constexpr const char* kClassName = "CV4TTWindow";
constexpr int kInset = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CV4TTWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_MESSAGE(WM_COPYDATA, OnCopyData)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CV4TTWindow::CV4TTWindow() {
  m_lines.SetGrowBy(32);
  m_request.SetGrowBy(32);
}

CV4TTWindow::~CV4TTWindow() {
  if (theGlobals.m_ptooltip == this) theGlobals.m_ptooltip = nullptr;
}

void CV4TTWindow::PostNcDestroy() { delete this; }

void CV4TTWindow::RegisterWindowClass() {
  WNDCLASSA known{};
  if (GetClassInfo(nullptr, kClassName, &known)) return;
  WNDCLASSA windowClass{};
  windowClass.style = CS_SAVEBITS;
  windowClass.lpfnWndProc = ::DefWindowProc;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
  windowClass.lpszClassName = kClassName;
  RegisterClass(&windowClass);
}

BOOL CV4TTWindow::PreCreateWindow(CREATESTRUCT& create) {
  create.x = 0;
  create.y = 0;
  create.cx = 10;
  create.cy = 10;
  create.hwndParent = nullptr;
  create.hMenu = nullptr;
  return CWnd::PreCreateWindow(create);
}

BOOL CV4TTWindow::Show(const CDynBuf& request, CWnd* owner) {
  if (m_hWnd != nullptr) return TRUE;
  POINT at{};
  GetCursorPos(&at);
  m_pos = CPoint(at.x, at.y);
  RegisterWindowClass();
  if (!CreateEx(WS_EX_TOOLWINDOW, kClassName, "V4TTWindow", WS_POPUP, m_pos.x, m_pos.y, 10, 10, nullptr, nullptr)) {
    return FALSE;
  }
  m_owner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
  m_timer = SetTimer(kRestTimer, kRestPeriod, nullptr);
  m_request = request;
  return TRUE;
}

void CV4TTWindow::Hide() {
  StopTimer();
  if (m_hWnd != nullptr) DestroyWindow();
}

void CV4TTWindow::StopTimer() {
  if (m_timer != 0 && m_hWnd != nullptr) KillTimer(m_timer);
  m_timer = 0;
}

CV4TTWindow* CV4TTWindow::ShowNew(const CDynBuf& request, CWnd* owner) {
  HideCurrent();
  auto* tip = new CV4TTWindow;
  if (!tip->Show(request, owner)) {
    delete tip;
    return nullptr;
  }
  theGlobals.m_ptooltip = tip;
  return tip;
}

void CV4TTWindow::HideCurrent() {
  if (theGlobals.m_ptooltip != nullptr) theGlobals.m_ptooltip->Hide();
}

int CV4TTWindow::OnCreate(LPCREATESTRUCT create) { return CWnd::OnCreate(create) == -1 ? -1 : 0; }

void CV4TTWindow::OnTimer(UINT_PTR id) {
  if (id != kRestTimer) {
    CWnd::OnTimer(id);
    return;
  }
  // A tick already queued when the timer stopped asks nothing more.
  if (m_timer == 0) return;
  POINT at{};
  GetCursorPos(&at);
  if (at.x != m_pos.x || at.y != m_pos.y) {
    m_pos = CPoint(at.x, at.y);
    return;
  }
  StopTimer();
  SendRequest();
}

void CV4TTWindow::SendRequest() {
  CDynBuf request;
  request.SetGrowBy(64);
  const auto handle = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(m_hWnd));
  for (int shift = 0; shift < 32; shift += 8) request.Append(static_cast<char>((handle >> shift) & 0xFF));
  request.Append(m_request);
  if (theGlobals.m_papp != nullptr) theGlobals.m_papp->SendProtocolData(kRequestCode, &request);
}

// The answer comes from another program: only its cbData bytes are read,
// and the text ends at its first NUL even when the sender left that out.
LRESULT CV4TTWindow::OnCopyData(WPARAM /*wParam*/, LPARAM lParam) {
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (copy == nullptr || copy->dwData != kAnswerCode) return 0;
  const char* bytes = static_cast<const char*>(copy->lpData);
  const size_t size = bytes != nullptr ? copy->cbData : 0;
  m_text = CString(bytes, static_cast<int>(bytes != nullptr ? strnlen(bytes, size) : 0));
  Layout();
  return 1;
}

CFont* CV4TTWindow::SelectStatusFont(CDC* dc, CFont& font) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  font.CreateFontIndirect(&metrics.lfStatusFont);
  return dc->SelectObject(&font);
}

void CV4TTWindow::Layout() {
  RECT owner{};
  POINT at{};
  GetCursorPos(&at);
  if (m_owner == nullptr || !IsWindow(m_owner) || !::GetWindowRect(m_owner, &owner) || !PtInRect(&owner, at)) {
    Hide();
    return;
  }
  m_lines.Empty();
  m_lines.Append(m_text);
  CDC* dc = GetDC();
  CFont font;
  CFont* old = SelectStatusFont(dc, font);
  m_text_width = 0;
  m_line_height = 0;
  m_line_count = 0;
  const char* line = m_lines;
  const char* end = line + m_lines.GetLength();
  for (;;) {
    const char* feed = std::find(line, end, '\n');
    const CSize size = dc->GetTextExtent(line, static_cast<int>(feed - line));
    m_text_width = std::max(m_text_width, static_cast<int>(size.cx));
    m_line_height = std::max(m_line_height, static_cast<int>(size.cy));
    ++m_line_count;
    if (feed == end) break;
    m_lines.SetAt(static_cast<int>(feed - static_cast<const char*>(m_lines)), '\0');
    line = feed + 1;
  }
  dc->SelectObject(old);
  ReleaseDC(dc);
  const int width = m_text_width + 2 * kInset;
  const int height = m_line_height * m_line_count + 2 * kInset;
  m_pos.x = std::max<LONG>(m_pos.x, 0);
  m_pos.y = std::max<LONG>(m_pos.y, 0);
  if (m_pos.x + width > GetSystemMetrics(SM_CXSCREEN)) m_pos.x = GetSystemMetrics(SM_CXSCREEN) - width;
  if (m_pos.y + height > GetSystemMetrics(SM_CYSCREEN)) m_pos.y = GetSystemMetrics(SM_CYSCREEN) - height;
  MoveWindow(m_pos.x, m_pos.y, width, height, TRUE);
  ShowWindow(SW_SHOWNOACTIVATE);
  Invalidate();
  UpdateWindow();
}

void CV4TTWindow::OnPaint() {
  CPaintDC dc(this);
  CFont font;
  CFont* old = SelectStatusFont(&dc, font);
  CBrush* oldBrush = dc.SelectObject(CBrush::FromHandle(GetSysColorBrush(COLOR_INFOBK)));
  CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);
  dc.Rectangle(0, 0, m_text_width + 2 * kInset, m_line_height * m_line_count + 2 * kInset);
  dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
  dc.SetBkMode(TRANSPARENT);
  const char* line = m_lines;
  for (int i = 0; i < m_line_count; ++i) {
    dc.TextOut(kInset, kInset + m_line_height * i, line, static_cast<int>(std::strlen(line)));
    line += std::strlen(line) + 1;
  }
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
  dc.SelectObject(old);
}
