// An external program for the tests: it answers through the exchange block
// named after " -MMF " on its command line, as a where-used search does. The
// first word says what to leave: "answer" a variable with the block's name
// and a key statement, "long" a length that no block can hold, "none"
// nothing.
#include <cstring>
#include <string>

#include "win32/FileMapping.h"
#include "win32/Process.h"

namespace {

std::string WordAfter(const std::string& line, size_t from) {
  const size_t start = line.find_first_not_of(' ', from);
  if (start == std::string::npos) return "";
  return line.substr(start, line.find(' ', start) - start);
}

void Leave(BYTE* block, const std::string& code, unsigned length) {
  block[0] = static_cast<BYTE>(length & 0xFF);
  block[1] = static_cast<BYTE>(length >> 8);
  std::memcpy(block + 2, code.data(), code.size());
}

}  // namespace

int main() {
  const std::string line = GetCommandLine();
  const std::string mode = WordAfter(line, 0);
  const size_t option = line.find(" -MMF ");
  if (option == std::string::npos) return 2;
  const std::string name = WordAfter(line, option + 6);
  HANDLE mapping = OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
  auto* block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (block == nullptr) return 3;
  const std::string answer = std::string("\0Nbl\0C\"", 7) + name + std::string("\"\0[\0{P~A-12\0|", 13);
  if (mode == "answer") Leave(block, answer, static_cast<unsigned>(answer.size()));
  if (mode == "long") Leave(block, answer, 5000);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  return 0;
}
