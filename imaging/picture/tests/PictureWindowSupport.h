// A picture shown in a window of the test's own, as a caller of the picture
// control shows one: a child window inside a top-level window, whose window
// procedure hands every message to the control; user input arrives through
// the screen backend.
#pragma once

#include <string>
#include <vector>

#include "imaging/picture/tests/PictureTestSupport.h"
#include "qt/Screenshot.h"
#include "qt/UserInput.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace picture_tests {

struct CallbackCall {
  UINT message;
  std::string hotspot;
};

inline std::vector<CallbackCall>& CallbackCalls() {
  static std::vector<CallbackCall> calls;
  return calls;
}

inline LRESULT RecordCallback(int, UINT message, char* currentName) {
  CallbackCalls().push_back({message, currentName ? currentName : ""});
  return 0;
}

class PictureWindow {
 public:
  // A child window with a client area of width x height at (10, 10) of its
  // top-level window.
  PictureWindow(int width, int height) {
    QORIMG_ShowErrorMessages(0);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpszClassName = "PictureTestChild";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClass(&windowClass);
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "PictureTestFrame";
    RegisterClass(&windowClass);
    frame = CreateWindowEx(0, "PictureTestFrame", "Picture", WS_POPUP | WS_VISIBLE, 60, 40, width + 20, height + 20,
                           nullptr, nullptr, nullptr, nullptr);
    window = CreateWindowEx(0, "PictureTestChild", "", WS_CHILD | WS_VISIBLE, 10, 10, width, height, frame, nullptr,
                            nullptr, nullptr);
    layer::PumpUntilIdle();
    CallbackCalls().clear();
  }
  ~PictureWindow() {
    if (picture) QORIMG_UnloadPicture(window, picture);
    DestroyWindow(frame);
    layer::PumpUntilIdle();
  }
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Loads the picture into the window as a caller does, with the recording
  // callback, and lets the window paint.
  QORIMG_PICTURE* Load(const std::string& tiff, const std::string& drf, LONG displayMode, LONG fileType) {
    picture = QORIMG_LoadPicture(window, 7, RecordCallback, tiff.c_str(), drf.c_str(), displayMode, fileType, 8);
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
    layer::PumpUntilIdle();
    CallbackCalls().clear();
    return picture;
  }

  COLORREF At(int x, int y) const {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y) & 0xFFFFFF;
    ReleaseDC(window, dc);
    return colour;
  }

  // What a user does with the mouse at a point of the picture window's
  // client area (or of its scroll bars, which lie beside it); Mouse lets
  // the window take it at once.
  void Input(UINT message, int x, int y, WPARAM keys = 0) const {
    POINT at{x, y};
    ClientToScreen(window, &at);
    layer::SendUserMouse(message, at, keys);
  }
  void Mouse(UINT message, int x, int y, WPARAM keys = 0) const {
    Input(message, x, y, keys);
    layer::PumpUntilIdle();
  }
  // A click whose release is on its way before the press is handled, as a
  // scroll bar that tracks the mouse by itself expects.
  void Click(int x, int y) const {
    Input(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Input(WM_LBUTTONUP, x, y);
    layer::PumpUntilIdle();
  }
  void Drag(POINT from, POINT to) const {
    Mouse(WM_MOUSEMOVE, from.x, from.y);
    Mouse(WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, to.x, to.y);
  }

  // The mouse and key messages that reached the callback; the window's
  // frame, cursor and activation messages pass through it too, untouched.
  static std::vector<CallbackCall> InputCalls() {
    std::vector<CallbackCall> calls;
    for (const CallbackCall& call : CallbackCalls())
      if ((call.message >= WM_KEYFIRST && call.message <= WM_KEYLAST) ||
          (call.message >= WM_MOUSEFIRST && call.message <= WM_MOUSELAST))
        calls.push_back(call);
    return calls;
  }

  HWND frame = nullptr;
  HWND window = nullptr;
  QORIMG_PICTURE* picture = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* picture = reinterpret_cast<QORIMG_PICTURE*>(GetWindowLongPtr(window, GWLP_USERDATA));
    if (picture && QORIMG_OnMessage(window, message, wParam, lParam, picture)) return 0;
    return DefWindowProc(window, message, wParam, lParam);
  }
};

}  // namespace picture_tests
