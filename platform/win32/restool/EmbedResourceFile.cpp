// Build step: checks a compiled resource file (.res) record by record and
// writes a C++ source that embeds it into a program or library, where the
// layer finds its resources. A VERSIONINFO resource also becomes the
// module's version text. A damaged file fails the build with the record and
// the reason.
//
//   layer_res_embed input.res output.cpp
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "win32/Codepage.h"
#include "win32/ResourceFile.h"

namespace {

constexpr WORD kVersion = 16;

struct VersionNode {
  std::string key;
  std::string text;              // a text value
  std::vector<BYTE> value;       // a binary value
  std::vector<VersionNode> children;
};

bool ReadVersionNode(const BYTE* base, std::size_t end, std::size_t& position, VersionNode& node, int depth) {
  if (depth > 6 || position + 6 > end) return false;
  layer::ResourceReader reader(base, end);
  reader.Skip(position);
  std::size_t start = position;
  WORD length = reader.Word();
  WORD valueLength = reader.Word();
  WORD type = reader.Word();
  node.key = reader.Text();
  reader.Align(4);
  if (!reader.Ok() || length < 6 || start + length > end) return false;
  std::size_t nodeEnd = start + length;
  std::size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;
  if (reader.Position() + valueBytes > nodeEnd) valueBytes = nodeEnd - reader.Position();
  if (type == 1) {
    std::size_t units = valueBytes / 2;
    const auto* text = reinterpret_cast<const WORD*>(reader.Here());
    while (units > 0 && text[units - 1] == 0) --units;
    node.text = layer::Utf16ToCp1252(text, units);
  } else {
    node.value.assign(reader.Here(), reader.Here() + valueBytes);
  }
  reader.Skip(valueBytes);
  reader.Align(4);
  position = reader.Position();
  while (position < nodeEnd) {
    VersionNode child;
    std::size_t before = position;
    if (!ReadVersionNode(base, nodeEnd, position, child, depth + 1) || position <= before) return false;
    node.children.push_back(std::move(child));
    std::size_t rest = position % 4;
    if (rest) position += 4 - rest;
  }
  position = nodeEnd;
  return true;
}

std::string FourNumbers(DWORD high, DWORD low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16) + "." +
         std::to_string(low & 0xFFFF);
}

DWORD DwordAt(const std::vector<BYTE>& bytes, std::size_t at) {
  return at + 4 <= bytes.size() ? bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<DWORD>(bytes[at + 3]) << 24) : 0;
}

// The version text of the layer ("Key=Value" lines) from a VERSIONINFO block.
std::string VersionText(const layer::ResourceRecord& record) {
  VersionNode root;
  std::size_t position = 0;
  if (!ReadVersionNode(record.data, record.size, position, root, 0)) return "";
  std::string text;
  if (root.value.size() >= 52) {
    text += "FileVersion=" + FourNumbers(DwordAt(root.value, 8), DwordAt(root.value, 12)) + "\n";
    text += "ProductVersion=" + FourNumbers(DwordAt(root.value, 16), DwordAt(root.value, 20)) + "\n";
  }
  for (const VersionNode& info : root.children) {
    if (info.key == "VarFileInfo") {
      for (const VersionNode& var : info.children) {
        if (var.key != "Translation") continue;
        char pair[16];
        std::string line = "Translation=";
        for (std::size_t at = 0; at + 4 <= var.value.size(); at += 4) {
          std::snprintf(pair, sizeof pair, "%s%04X %04X", at ? " " : "", var.value[at] | (var.value[at + 1] << 8),
                        var.value[at + 2] | (var.value[at + 3] << 8));
          line += pair;
        }
        text += line + "\n";
      }
    } else if (info.key == "StringFileInfo") {
      for (const VersionNode& table : info.children)
        for (const VersionNode& entry : table.children)
          if (entry.key != "FileVersion" && entry.key != "ProductVersion")
            text += entry.key + "=" + layer::Cp1252ToUtf8(entry.text) + "\n";
    }
  }
  return text;
}

std::string CString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n\"\n\"";
    } else if (c < 0x20 || c >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\%03o", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: layer_res_embed input.res output.cpp\n");
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::vector<BYTE> image((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  std::vector<layer::ResourceRecord> records;
  std::string error;
  if (!layer::ReadResourceFile(image.data(), image.size(), records, error)) {
    std::fprintf(stderr, "%s: damaged resource file: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string version;
  for (const layer::ResourceRecord& record : records) {
    if (!layer::CheckResourceData(record, error)) {
      std::fprintf(stderr, "%s: resource %s is damaged: %s\n", argv[1], layer::DescribeResource(record).c_str(),
                   error.c_str());
      return 1;
    }
    if (record.type.isNumber && record.type.number == kVersion) version = VersionText(record);
  }
  std::ostringstream out;
  out << "// Generated from " << argv[1] << "; do not edit.\n#include \"win32/Resources.h\"\n";
  if (!version.empty()) out << "#include \"win32/Version.h\"\n\nVARNO_VERSION_INFO(" << CString(version) << ");\n";
  out << "\nnamespace {\n\nalignas(8) const BYTE image[] = {";
  for (std::size_t i = 0; i < image.size(); ++i) out << (i % 24 ? "" : "\n") << static_cast<int>(image[i]) << ",";
  out << "};\n\nconst layer::ModuleResources resources(image, sizeof image);\n\n}  // namespace\n";
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output << out.str();
  if (!output) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
