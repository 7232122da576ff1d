// A program for the process tests to start. Its arguments are steps:
//   cmdline FILE      writes the command line it received into FILE
//   cwd FILE          writes its working folder into FILE
//   parent FILE       writes its parent's process id into FILE
//   answer NAME TEXT  writes a 16-bit length and TEXT into the shared block NAME
//   idle              tells its starter that it is ready for input
//   sleep MS          pauses
//   exit CODE         ends with CODE (through ExitProcess)
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "win32/FileMapping.h"
#include "win32/Files.h"
#include "win32/Process.h"

#include <unistd.h>

namespace {

void WriteText(const std::string& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

bool Answer(const char* name, const std::string& text) {
  HANDLE mapping = OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, name);
  if (!mapping) return false;
  auto* block = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!block) return false;
  block[0] = static_cast<unsigned char>(text.size() % 256);
  block[1] = static_cast<unsigned char>(text.size() / 256);
  std::memcpy(block + 2, text.data(), text.size());
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& step = args[i];
    bool hasValue = i + 1 < args.size();
    if (step == "cmdline" && hasValue) {
      WriteText(args[++i], GetCommandLine());
    } else if (step == "cwd" && hasValue) {
      char folder[1024];
      GetCurrentDirectory(sizeof folder, folder);
      WriteText(args[++i], folder);
    } else if (step == "parent" && hasValue) {
      WriteText(args[++i], std::to_string(getppid()));
    } else if (step == "answer" && i + 2 < args.size()) {
      if (!Answer(args[i + 1].c_str(), args[i + 2])) return 3;
      i += 2;
    } else if (step == "idle") {
      layer::SignalInputIdle();
    } else if (step == "sleep" && hasValue) {
      usleep(static_cast<useconds_t>(std::atoi(args[++i].c_str())) * 1000);
    } else if (step == "exit" && hasValue) {
      ExitProcess(static_cast<UINT>(std::strtoul(args[++i].c_str(), nullptr, 0)));
    }
  }
  return 0;
}
