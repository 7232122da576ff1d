// Writes the sample catalogue's where-used file from its text form: each line
// "text|key|block|columns" becomes one fixed-length record, each field padded
// with NUL bytes to its length, the flag bits of the listed columns last. The
// record lengths are read from the project's ini section, as the where-used
// program reads them.
//   make_where_used PROJECT SECTION SOURCE OUTPUT
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/CIniClass.h"

namespace {

int ReadLength(const char* project, const char* section, const char* key) {
  CIniClass ini;
  CString value;
  ini.ReadKey(section, key, "0", value, project, 0);
  return std::atoi(value);
}

// "\xHH" stands for a byte; everything else is taken as it is.
std::string Unescaped(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(line);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

bool Field(std::string& record, const std::string& text, int length) {
  if (static_cast<int>(text.size()) > length) return false;
  record += text;
  record.append(static_cast<size_t>(length) - text.size(), '\0');
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: make_where_used PROJECT SECTION SOURCE OUTPUT\n";
    return 2;
  }
  const int textLength = ReadLength(argv[1], argv[2], "Textlen");
  const int keyLength = ReadLength(argv[1], argv[2], "Keylen");
  const int blockLength = ReadLength(argv[1], argv[2], "Blocklen");
  const int columns = ReadLength(argv[1], argv[2], "Columns");
  const int flagBytes = columns > 0 ? (columns + 8) / 8 : 0;
  std::ifstream source(argv[3]);
  std::string file;
  int number = 0;
  for (std::string line; std::getline(source, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = Split(line, '|');
    std::string record;
    if (fields.size() < 3 || !Field(record, Unescaped(fields[0]), textLength) ||
        !Field(record, Unescaped(fields[1]), keyLength) || !Field(record, Unescaped(fields[2]), blockLength)) {
      std::cerr << argv[3] << ":" << number << ": a field is missing or longer than its length\n";
      return 1;
    }
    std::string flags(static_cast<size_t>(flagBytes), '\0');
    for (const std::string& column : fields.size() > 3 ? Split(fields[3], ',') : std::vector<std::string>{}) {
      const int c = std::atoi(column.c_str());
      if (c < 0 || c / 8 >= flagBytes) {
        std::cerr << argv[3] << ":" << number << ": column " << c << " is beyond the flag bytes\n";
        return 1;
      }
      flags[static_cast<size_t>(c / 8)] = static_cast<char>(flags[static_cast<size_t>(c / 8)] | (1 << (c % 8)));
    }
    file += record + flags;
  }
  std::ofstream(argv[4], std::ios::binary) << file;
  return 0;
}
