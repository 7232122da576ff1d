// The layer's demonstration: a main window with a picture (a device-independent
// bitmap stretched into the window), text in the system's fonts, a cross-hair
// that follows the mouse (drawn and removed by inversion, outside WM_PAINT) and
// a counter that a 500 ms timer moves on.
//
//   layer_demo [--ticks N] [--screenshot file.png] [--screen file.png]
//
// --ticks N ends the program after N timer ticks; --screenshot writes the
// window's canvas, --screen what the screen shows, just before the end.
#include <cstring>
#include <string>
#include <vector>

#include "mfc/CClientDC.h"
#include "mfc/CPaintDC.h"
#include "mfc/CWinApp.h"
#include "mfc/CWnd.h"
#include "qt/Screenshot.h"

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr int kPictureSize = 256;

struct Options {
  int ticks = 0;  // 0: run until the window is closed
  std::string screenshot;
  std::string screen;
};

// A 256 x 256 eight-bit picture: a colour ramp with a grid of dark lines.
struct Picture {
  std::vector<BYTE> header = std::vector<BYTE>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  std::vector<BYTE> bits = std::vector<BYTE>(kPictureSize * kPictureSize);
  Picture() {
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kPictureSize, kPictureSize, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    auto* colours = reinterpret_cast<RGBQUAD*>(header.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i) colours[i] = RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2 + 64), static_cast<BYTE>(i), 0};
    for (int y = 0; y < kPictureSize; ++y)
      for (int x = 0; x < kPictureSize; ++x)
        bits[y * kPictureSize + x] = (x % 32 == 0 || y % 32 == 0) ? 0 : static_cast<BYTE>((x + y) / 2);
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(header.data()); }
};

class DemoWnd : public CWnd {
 public:
  explicit DemoWnd(const Options& options) : m_options(options) {}

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1) return -1;
    m_font.CreatePointFont(140, "Arial");
    SetTimer(kTimer, 500, nullptr);
    return 0;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect picture(20, 20, client.Width() / 2, client.Height() - 20);
    dc.SetStretchBltMode(HALFTONE);
    StretchDIBits(dc, picture.left, picture.top, picture.Width(), picture.Height(), 0, 0, kPictureSize, kPictureSize,
                  m_picture.bits.data(), m_picture.Info(), DIB_RGB_COLORS, SRCCOPY);
    CPen frame(PS_SOLID, 2, RGB(0, 0, 128));
    CPen* oldPen = dc.SelectObject(&frame);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(picture);
    dc.Ellipse(picture.CenterPoint().x - 30, picture.CenterPoint().y - 30, picture.CenterPoint().x + 30,
               picture.CenterPoint().y + 30);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);

    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect text(client.Width() / 2 + 20, 20, client.right - 20, 60);
    dc.DrawText("Ersatzteilkatalog \xE4\xF6\xFC \xDF", -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    CString ticks;
    ticks.Format("Timer: %d", m_ticks);
    dc.TextOut(text.left, 70, ticks);
    CString mouse;
    mouse.Format("Maus: %d, %d", m_mouse.x, m_mouse.y);
    dc.TextOut(text.left, 110, mouse);
    dc.SelectObject(oldFont);
    // The fresh paint covered the cross-hair in the painted area only; it goes back there.
    DrawCross(dc);
  }
  afx_msg void OnMouseMove(UINT, CPoint point) {
    CClientDC dc(this);
    DrawCross(dc);  // off at the old place
    m_mouse = point;
    DrawCross(dc);  // on at the new one
    CRect label(0, 100, 10000, 150);
    InvalidateRect(&label, TRUE);
  }
  afx_msg void OnTimer(UINT_PTR id) {
    if (id != kTimer) return;
    ++m_ticks;
    CRect label(0, 60, 10000, 100);
    InvalidateRect(&label, TRUE);
    if (m_options.ticks && m_ticks >= m_options.ticks) {
      UpdateWindow();
      if (!m_options.screenshot.empty()) layer::SaveWindowPng(m_hWnd, m_options.screenshot);
      if (!m_options.screen.empty()) layer::SaveScreenPng(m_options.screen);
      PostMessage(WM_CLOSE);
    }
  }
  afx_msg void OnDestroy() {
    KillTimer(kTimer);
    CWnd::OnDestroy();
  }
  void PostNcDestroy() override { delete this; }

 private:
  // The cross-hair is inverted onto the canvas: drawn twice it is gone again.
  void DrawCross(CDC& dc) {
    if (m_mouse.x < 0) return;
    CRect client;
    GetClientRect(&client);
    int old = dc.SetROP2(R2_NOT);
    dc.MoveTo(m_mouse.x, 0);
    dc.LineTo(m_mouse.x, client.bottom);
    dc.MoveTo(0, m_mouse.y);
    dc.LineTo(client.right, m_mouse.y);
    dc.SetROP2(old);
  }

  Options m_options;
  Picture m_picture;
  CFont m_font;
  CPoint m_mouse{-1, -1};
  int m_ticks = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

class DemoApp : public CWinApp {
 public:
  Options options;

  BOOL InitInstance() override {
    auto* window = new DemoWnd(options);
    LPCSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_CROSS),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!window->CreateEx(0, windowClass, "Varno: Plattform", WS_OVERLAPPEDWINDOW, 60, 60, 640, 400, nullptr, nullptr)) {
      delete window;
      return FALSE;
    }
    m_pMainWnd = window;
    window->ShowWindow(m_nCmdShow);
    window->UpdateWindow();
    // Without a person at the mouse, a pointer position is made up for the screenshot.
    if (options.ticks) window->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(160, 120));
    return TRUE;
  }
};

DemoApp app;

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--ticks") app.options.ticks = std::atoi(argv[i + 1]);
    else if (option == "--screenshot") app.options.screenshot = argv[i + 1];
    else if (option == "--screen") app.options.screen = argv[i + 1];
  }
  return AfxRunProgram(1, argv);
}
