#include "win32/WindowHost.h"

#include <atomic>

namespace layer {
namespace {
std::atomic<WindowHost*> installed{nullptr};
}

WindowHost* CurrentWindowHost() { return installed.load(); }

void InstallWindowHost(WindowHost* host) { installed.store(host); }

}  // namespace layer
