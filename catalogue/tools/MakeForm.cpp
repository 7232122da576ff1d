// The print form of the sample catalogue, "druck.vfm": an A4 page in tenths
// of a millimetre with the frames the viewer's print scripts fill: the fixed
// fields (catalogue, key, date, page), a head and a body frame for each
// column of a printed table and a frame for the printed picture. Written
// into the folder given as the only argument.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// One frame of the form: a record of 198 bytes, its kind, corners, font,
// point size, name and alignment at fixed offsets, words little-endian.
class FormFrame {
 public:
  FormFrame(const std::string& name, unsigned left, unsigned top, unsigned right, unsigned bottom,
            unsigned size = 10)
      : m_bytes(198, '\0') {
    Word(136, 5).Word(138, left).Word(140, top).Word(142, right).Word(144, bottom);
    Text(146, "Arial").Word(156, size).Text(158, name).Text(167, "L");
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  FormFrame& Word(size_t offset, unsigned value) {
    m_bytes[offset] = static_cast<char>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<char>(value >> 8);
    return *this;
  }
  FormFrame& Text(size_t offset, const std::string& text) {
    m_bytes.replace(offset, text.size(), text);
    return *this;
  }

  std::string m_bytes;
};

// Frames a print option's list may fill, counted from 0: a table's columns
// go to the head and body frames of its position, a picture to its own.
constexpr int kPrintedFrames = 2;
constexpr int kColumns = 6;

std::vector<FormFrame> Frames() {
  std::vector<FormFrame> frames{
      {"FAPPNAME", 100, 100, 1400, 170, 14}, {"FKEYNAME", 100, 180, 1400, 240, 12},
      {"FPRJKEY", 1450, 180, 2000, 240},     {"TDATUM", 1450, 100, 1650, 160},
      {"FDATUM", 1650, 100, 2000, 160},      {"TPAGE", 1450, 2820, 1650, 2880},
      {"FPAGE", 1650, 2820, 2000, 2880}};
  for (int position = 0; position < kPrintedFrames; ++position) {
    const std::string number = (position < 10 ? "0" : "") + std::to_string(position);
    for (int column = 1; column <= kColumns; ++column) {
      const std::string suffix = number + (column < 10 ? "0" : "") + std::to_string(column);
      const unsigned left = 100 + static_cast<unsigned>(column - 1) * 315, right = left + 305;
      frames.emplace_back("TSP" + suffix, left, 300, right, 360);
      frames.emplace_back("FSP" + suffix, left, 380, right, 1400);
    }
    frames.emplace_back("FBILD" + number, 100, 1500, 2000, 2750);
  }
  return frames;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_form <folder>\n";
    return 2;
  }
  std::string bytes = "Druckformular RM 46\r\n\x1A";
  for (unsigned word : {198u, 1u, 4u}) {  // record size, portrait, A4
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
  }
  for (const FormFrame& frame : Frames()) bytes += frame.Bytes();
  const std::string path = std::string(argv[1]) + "/druck.vfm";
  std::ofstream file(path, std::ios::binary);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
    std::cerr << "make_form: cannot write " << path << "\n";
    return 1;
  }
  return 0;
}
