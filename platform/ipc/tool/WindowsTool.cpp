// layer_windows: the top-level windows of the user's programs (of the space
// that VARNO_IPC_SPACE names), and what each shows of itself.
//   layer_windows                 one line a window: handle, process, flags, class, title
//   layer_windows --describe [T]  the description of every shown window whose
//                                 title contains T (all shown windows without T)
#include <cstdio>
#include <cstring>
#include <string>

#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowRegistry.h"

using layer::ipc::WindowEntry;

namespace {

HWND HandleOf(const WindowEntry& entry) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry.handle)); }

void List(layer::ipc::WindowRegistry& registry) {
  for (const auto& entry : registry.Entries())
    std::printf("0x%x\t%u\t%s%s\t%s\t%s\n", static_cast<unsigned>(entry.handle), static_cast<unsigned>(entry.processId),
                entry.flags & layer::ipc::kWindowVisible ? "v" : "", entry.flags & layer::ipc::kWindowEnabled ? "e" : "",
                entry.className.c_str(), entry.title.c_str());
}

int Describe(layer::ipc::WindowRegistry& registry, const char* titlePart) {
  layer::ipc::RemoteWindowsClient client(registry);
  int described = 0;
  for (const auto& entry : registry.Entries()) {
    if (!(entry.flags & layer::ipc::kWindowVisible)) continue;
    if (titlePart && !std::strstr(entry.title.c_str(), titlePart)) continue;
    std::fputs(client.Describe(HandleOf(entry)).c_str(), stdout);
    ++described;
  }
  return described > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  auto& registry = layer::ipc::WindowRegistry::OfUser();
  if (argc >= 2 && std::strcmp(argv[1], "--describe") == 0) return Describe(registry, argc >= 3 ? argv[2] : nullptr);
  if (argc >= 2) {
    std::fprintf(stderr, "usage: layer_windows [--describe [title part]]\n");
    return 2;
  }
  List(registry);
  return 0;
}
