#include "win32/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_mutex;
std::function<void(std::string_view)> g_sink;

}  // namespace

void OutputDebugString(LPCSTR text) {
  if (!text) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_sink) {
    g_sink(text);
    return;
  }
  if (std::getenv("VARNO_DEBUG_OUTPUT")) std::fputs(text, stderr);
}

namespace layer {
void SetDebugOutputSink(std::function<void(std::string_view)> sink) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_sink = std::move(sink);
}
}  // namespace layer
