#include "win32/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace {

std::mutex presenterLock;
layer::MessageBoxPresenter& Presenter() {
  static layer::MessageBoxPresenter presenter;
  return presenter;
}

}  // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  layer::MessageBoxPresenter presenter;
  {
    std::lock_guard<std::mutex> hold(presenterLock);
    presenter = Presenter();
  }
  if (presenter) return presenter(owner, text ? text : "", caption ? caption : "Error", type);
  std::fprintf(stderr, "[%s] %s\n", caption ? caption : "Error", text ? text : "");
  return IDOK;
}

namespace layer {

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  std::lock_guard<std::mutex> hold(presenterLock);
  return std::exchange(Presenter(), std::move(presenter));
}

}  // namespace layer
