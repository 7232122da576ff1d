// A program on the desktop for the clipboard tests: it puts a text and a
// picture on the clipboard through the layer and keeps serving them until
// its standard input closes, or it takes what the clipboard holds and
// writes it to files.
//
//   layer_clipboard_peer put TEXTFILE DIBFILE
//   layer_clipboard_peer get TEXTFILE DIBFILE
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win32/Clipboard.h"
#include "win32/Memory.h"
#include "win32/UserMessages.h"

namespace {

std::string Read(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const char* path, const void* bytes, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

int Put(const char* textFile, const char* dibFile) {
  std::string text = Read(textFile);
  text.push_back('\0');
  if (!OpenClipboard(nullptr) || !EmptyClipboard()) return 3;
  SetClipboardData(CF_TEXT, Block(text));
  SetClipboardData(CF_DIB, Block(Read(dibFile)));
  CloseClipboard();
  std::printf("ready\n");
  std::fflush(stdout);
  // The desktop asks the owner for the data: the loop runs until the test is done.
  for (;;) {
    layer::PumpUntilIdle();
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 10) > 0) {
      char byte;
      if (read(STDIN_FILENO, &byte, 1) <= 0) return 0;
    }
  }
}

int Get(const char* textFile, const char* dibFile) {
  if (!OpenClipboard(nullptr)) return 3;
  for (auto [format, file] : {std::pair<UINT, const char*>{CF_TEXT, textFile}, {CF_DIB, dibFile}}) {
    HANDLE data = GetClipboardData(format);
    if (!data) continue;
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    std::size_t size = format == CF_TEXT ? strnlen(bytes, GlobalSize(data)) : GlobalSize(data);
    Write(file, bytes, size);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::string command = argv[1];
  if (command == "put") return Put(argv[2], argv[3]);
  if (command == "get") return Get(argv[2], argv[3]);
  return 2;
}
