// The print forms of the sample installation, A4 pages in tenths of a
// millimetre: "druck.vfm", with the frames the viewer's print scripts fill
// (the fixed fields - catalogue, key, date, page -, a head and a body frame
// for each column of a printed table and a frame for the printed picture),
// written into the first folder given; and "bestell.frm", the order list's
// order: its header, the five addresses, the columns of the order lines and
// the totals, written into the second.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// One record of a form: 198 bytes with its kind and the kind's fields at
// fixed offsets, words little-endian.
class FormRecord {
 public:
  // A frame the scripts fill, with its font size and text alignment ('L'
  // left, 'R' right, 'Z' centred).
  static FormRecord Frame(const std::string& name, unsigned left, unsigned top, unsigned right, unsigned bottom,
                          unsigned size = 10, char alignment = 'L') {
    FormRecord record(kFrame);
    record.Word(138, left).Word(140, top).Word(142, right).Word(144, bottom);
    record.Text(146, "Arial").Word(156, size).Text(158, name).Text(167, std::string(1, alignment));
    return record;
  }
  // A line drawn on every page.
  static FormRecord Line(unsigned width, unsigned x1, unsigned y1, unsigned x2, unsigned y2) {
    FormRecord record(kLine);
    record.Word(138, width).Word(140, x1).Word(142, y1).Word(144, x2).Word(146, y2);
    return record;
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  static constexpr unsigned kLine = 0, kFrame = 5;

  explicit FormRecord(unsigned kind) : m_bytes(198, '\0') { Word(136, kind); }
  FormRecord& Word(size_t offset, unsigned value) {
    m_bytes[offset] = static_cast<char>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<char>(value >> 8);
    return *this;
  }
  FormRecord& Text(size_t offset, const std::string& text) {
    m_bytes.replace(offset, text.size(), text);
    return *this;
  }

  std::string m_bytes;
};

std::string TwoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

// Frames a print option's list may fill, counted from 0: a table's columns
// go to the head and body frames of its position, a picture to its own.
constexpr int kPrintedFrames = 2;
constexpr int kColumns = 6;

std::vector<FormRecord> FaceForm() {
  std::vector<FormRecord> records{
      FormRecord::Frame("FAPPNAME", 100, 100, 1400, 170, 14), FormRecord::Frame("FKEYNAME", 100, 180, 1400, 240, 12),
      FormRecord::Frame("FPRJKEY", 1450, 180, 2000, 240),     FormRecord::Frame("TDATUM", 1450, 100, 1650, 160),
      FormRecord::Frame("FDATUM", 1650, 100, 2000, 160),      FormRecord::Frame("TPAGE", 1450, 2820, 1650, 2880),
      FormRecord::Frame("FPAGE", 1650, 2820, 2000, 2880)};
  for (int position = 0; position < kPrintedFrames; ++position) {
    const std::string number = TwoDigits(position);
    for (int column = 1; column <= kColumns; ++column) {
      const std::string suffix = number + TwoDigits(column);
      const unsigned left = 100 + static_cast<unsigned>(column - 1) * 315, right = left + 305;
      records.push_back(FormRecord::Frame("TSP" + suffix, left, 300, right, 360));
      records.push_back(FormRecord::Frame("FSP" + suffix, left, 380, right, 1400));
    }
    records.push_back(FormRecord::Frame("FBILD" + number, 100, 1500, 2000, 2750));
  }
  return records;
}

// The order's header: a label and its value on each row.
constexpr struct {
  const char* label;
  const char* value;
} kHeaderRows[] = {{"TBESTNR", "FBESTNR"}, {"TBESTART", "FBESTART"}, {"TVART", "FVART"}, {"TTERMIN", "FTERMIN"},
                   {"TZWECK", "FZWECK"}};

// The five addresses side by side, each a title over its twelve lines.
constexpr struct {
  const char* title;
  const char* lines;
} kAddresses[] = {{"TCUST", "FCUST"}, {"TSUPP", "FSUPP"}, {"TPERS01", "FPERS"}, {"TLIEFER", "FLIEF"},
                  {"THAENDL", "FHAEND"}};
constexpr int kAddressLines = 12;

// The order lines' columns: quantity, part number, name, remark, unit price
// and line total, as wide as what they usually hold.
constexpr struct {
  unsigned width;
  char alignment;
} kOrderColumns[] = {{200, 'R'}, {330, 'L'}, {520, 'L'}, {350, 'L'}, {250, 'R'}, {250, 'R'}};

constexpr unsigned kLeft = 100, kRight = 2000;
constexpr unsigned kHeaderTop = 260, kHeaderRow = 55;
constexpr unsigned kAddressTop = 600, kAddressLine = 38;
constexpr unsigned kColumnTop = 1200, kLinesTop = 1270, kLinesBottom = 2640;
constexpr unsigned kTotalsTop = 2680;

void AddHeader(std::vector<FormRecord>& records) {
  records.push_back(FormRecord::Frame("TBEST", kLeft, 100, 1200, 190, 16));
  records.push_back(FormRecord::Frame("TDATUM", 1300, 100, 1500, 150));
  records.push_back(FormRecord::Frame("FDATUM", 1500, 100, kRight, 150));
  records.push_back(FormRecord::Frame("TPAGE", 1300, 160, 1500, 210));
  records.push_back(FormRecord::Frame("FPAGE", 1500, 160, kRight, 210));
  records.push_back(FormRecord::Frame("FLOGO", 1300, 260, kRight, 540));
  records.push_back(FormRecord::Line(3, kLeft, 220, kRight, 220));
  unsigned top = kHeaderTop;
  for (const auto& row : kHeaderRows) {
    const bool last = &row == &kHeaderRows[std::size(kHeaderRows) - 1];
    const unsigned bottom = top + (last ? 2 * kHeaderRow : kHeaderRow) - 5;  // the purpose may take two lines
    records.push_back(FormRecord::Frame(row.label, kLeft, top, 500, bottom));
    records.push_back(FormRecord::Frame(row.value, 500, top, 1250, bottom));
    top += kHeaderRow;
  }
}

void AddAddresses(std::vector<FormRecord>& records) {
  constexpr unsigned width = (kRight - kLeft) / std::size(kAddresses);
  unsigned left = kLeft;
  for (const auto& address : kAddresses) {
    const unsigned right = left + width - 20;
    records.push_back(FormRecord::Frame(address.title, left, kAddressTop, right, kAddressTop + 50));
    for (int line = 0; line < kAddressLines; ++line) {
      const unsigned top = kAddressTop + 60 + static_cast<unsigned>(line) * kAddressLine;
      records.push_back(FormRecord::Frame(address.lines + TwoDigits(line), left, top, right, top + kAddressLine, 8));
    }
    left += width;
  }
}

void AddLinesAndTotals(std::vector<FormRecord>& records) {
  unsigned left = kLeft;
  int number = 1;
  for (const auto& column : kOrderColumns) {
    const std::string suffix = std::to_string(number++);
    const unsigned right = left + column.width - 15;
    records.push_back(FormRecord::Frame("TSPALTE" + suffix, left, kColumnTop, right, kColumnTop + 55, 10, column.alignment));
    records.push_back(FormRecord::Frame("FSPALTE" + suffix, left, kLinesTop, right, kLinesBottom, 10, column.alignment));
    left += column.width;
  }
  records.push_back(FormRecord::Line(3, kLeft, kColumnTop + 60, kRight, kColumnTop + 60));
  records.push_back(FormRecord::Line(3, kLeft, kTotalsTop - 15, kRight, kTotalsTop - 15));
  records.push_back(FormRecord::Frame("TSUM", 1000, kTotalsTop, 1600, kTotalsTop + 55));
  records.push_back(FormRecord::Frame("FSUM", 1600, kTotalsTop, kRight, kTotalsTop + 55, 10, 'R'));
  records.push_back(FormRecord::Frame("TSUMMWST", 1000, kTotalsTop + 60, 1600, kTotalsTop + 115));
  records.push_back(FormRecord::Frame("FSUMMWST", 1600, kTotalsTop + 60, kRight, kTotalsTop + 115, 10, 'R'));
}

std::vector<FormRecord> OrderForm() {
  std::vector<FormRecord> records;
  AddHeader(records);
  AddAddresses(records);
  AddLinesAndTotals(records);
  return records;
}

bool Write(const std::string& path, const std::string& description, const std::vector<FormRecord>& records) {
  std::string bytes = description + "\r\n\x1A";
  for (unsigned word : {198u, 1u, 4u}) {  // record size, portrait, A4
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
  }
  for (const FormRecord& record : records) bytes += record.Bytes();
  std::ofstream file(path, std::ios::binary);
  if (file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && file.flush()) return true;
  std::cerr << "make_form: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_form <folder of the viewer's form> <folder of the order form>\n";
    return 2;
  }
  const bool written = Write(std::string(argv[1]) + "/druck.vfm", "Druckformular RM 46", FaceForm()) &&
                       Write(std::string(argv[2]) + "/bestell.frm", "Bestellformular", OrderForm());
  return written ? 0 : 1;
}
