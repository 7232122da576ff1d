#include "win32/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "win32/ScreenBackend.h"

namespace {

std::mutex presenterLock;
layer::MessageBoxPresenter& Presenter() {
  static layer::MessageBoxPresenter presenter;
  return presenter;
}
layer::MessageBoxPresenter& Windowing() {
  static layer::MessageBoxPresenter windowing;
  return windowing;
}
std::function<void()>& Beeper() {
  static std::function<void()> beeper;
  return beeper;
}
int beeps = 0;

}  // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  layer::MessageBoxPresenter presenter;
  {
    std::lock_guard<std::mutex> hold(presenterLock);
    presenter = Presenter() ? Presenter() : Windowing();
  }
  if (presenter) return presenter(owner, text ? text : "", caption ? caption : "Error", type);
  std::fprintf(stderr, "[%s] %s\n", caption ? caption : "Error", text ? text : "");
  return IDOK;
}

BOOL MessageBeep(UINT) {
  std::function<void()> beeper;
  layer::LoadScreenBackend();
  {
    std::lock_guard<std::mutex> hold(presenterLock);
    ++beeps;
    beeper = Beeper();
  }
  if (beeper) beeper();
  return TRUE;
}

namespace layer {

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  std::lock_guard<std::mutex> hold(presenterLock);
  return std::exchange(Presenter(), std::move(presenter));
}

void SetMessageBoxWindowing(MessageBoxPresenter windowing) {
  std::lock_guard<std::mutex> hold(presenterLock);
  Windowing() = std::move(windowing);
}

void SetBeeper(std::function<void()> beeper) {
  std::lock_guard<std::mutex> hold(presenterLock);
  Beeper() = std::move(beeper);
}

int BeepCount() {
  std::lock_guard<std::mutex> hold(presenterLock);
  return beeps;
}

}  // namespace layer
