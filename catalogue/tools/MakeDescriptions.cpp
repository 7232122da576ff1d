// The description files of the sample catalogue, a parts catalogue of the
// lawn mower RM 46: a start page listing the assemblies, one page layout for
// every assembly with its part table and a pop-up page of notes, each laid
// out in frame sets, and the frames they include: free cells of texts, links
// and symbols, tables with a header and a sorted body, and pictures. Written
// into the folder given as the only argument.
#include <iostream>
#include <string>

#include "Main/TagCode.h"
#include "TagCodeBuilder.h"

namespace {

// Texts of the catalogue's dictionary by number.
constexpr int kTitleText = 1000;
constexpr int kAssembliesText = 1001;
constexpr int kElectricHintText = 1002;
constexpr int kTableHintText = 1003;

// Commands of the viewer that pages enable and disable.
constexpr const char* kPrintCommands = "320,321";
constexpr const char* kUserPageCommands = "323,324";
constexpr const char* kNotesCommand = "460";

// The symbol table of a page: the arrow of the links, with its margins.
TagCodeBuilder& Symbols(TagCodeBuilder& file) {
  return file.Tag(14).Tag(136, {2, 2}).Tag(137, {1, 1}).Closed(130, "\"1,pfeil\"", 131).Tag(15);
}

// A print option: the frames it prints (their count first), the label the
// print dialog shows and the catalogue's print form.
TagCodeBuilder& PrintOption(TagCodeBuilder& file, std::string_view frames, int label) {
  file.Open(118, frames).Open(119, "\"").TextNumber(label).Text("\"");
  return file.Tag(120).Variable("VARNO_DEF").Text("\"\\druck.vfm\"").Tag(121);
}

// The start page: the title above, the assemblies beside the notes on the
// model. The overview's line drawing prints with the catalogue's title.
TagCodeBuilder StartPage() {
  TagCodeBuilder file;
  file.Tag(12).Closed('R', std::string(kPrintCommands) + "," + kUserPageCommands, 'S').Tag(13);
  Symbols(file);
  file.Open(27, "80,*").Tag(24, {4}).Tag(25, {1}).Open(155, "1").Include("Kopf");
  file.Open(26, "60%,*").Include("Uebersicht").Include("Hinweis").Tag(71);
  file.Tag(71);
  PrintOption(file, "1,Uebersicht", kTitleText).Tag(TAG_END);
  return file;
}

// An assembly: the title above, the part table beside its notes, a bar of
// fixed height below; the notes command only for the electric start. The
// part list prints with the picture beside it.
TagCodeBuilder AssemblyPage() {
  TagCodeBuilder file;
  file.Tag(12)
      .Closed('R', std::string(kPrintCommands) + "," + kUserPageCommands, 'S')
      .Closed('V', kNotesCommand, 'W')
      .Text("Elektrostart = TRUE")
      .Tag('X')
      .Tag(13);
  Symbols(file);
  file.Open(27, "60,*,30").Tag(24, {2}).Include("Kopf");
  file.Open(26, "*,25%").Tag(25, {1}).Include("Teile").Include("Hinweis").Tag(71);
  file.Include("Fuss").Tag(71);
  PrintOption(file, "2,Teile,Hinweis", kTitleText).Tag(TAG_END);
  return file;
}

// A pop-up page of notes, half the screen wide and 40 % high.
TagCodeBuilder NotesPage() {
  TagCodeBuilder file;
  file.Closed(115, "50%,40%", 128).Open(27, "*").Include("Info").Tag(71).Tag(TAG_END);
  return file;
}

// Statements of the screen layout that the frames use.
enum Screen : unsigned char {
  LINK = 2,
  LINK_END = 4,
  BOLD = 6,
  BOLD_OFF = 7,
  LINE_END = 11,
  MARGINS_ACROSS = 19,
  MARGINS_DOWN = 20,
  PICTURE = 28,
  PICTURE_HEIGHT = 29,
  PICTURE_HEIGHT_END = 93,
  PICTURE_WIDTH = 30,
  PICTURE_WIDTH_END = 94,
  PICTURE_ZOOM = 117,
  FREE_CELL = 34,
  FREE_CELL_END = 35,
  BORDER_WIDTH = 43,
  SCROLLED_TABLE = 46,
  FIXED_TABLE = 47,
  CELL = 48,
  CELL_END = 49,
  CELL_ALIGNMENT = 50,
  ROW = 52,
  ROW_END = 53,
  KEY_MARK = 57,
  ORDER_FIELD = 58,
  HOTSPOT_MATCH = 59,
  SCROLLED_TABLE_END = 75,
  FIXED_TABLE_END = 76,
  LINK_TARGET = 77,
  BORDER_FLAGS = 98,
  TEXT_COLOUR = 102,
  TEXT_SIZE = 103,
  GRID_COLOUR = 112,
  CELL_MARGINS_ACROSS = 113,
  CELL_MARGINS_DOWN = 114,
  SYMBOL_LINK = 132,
  SYMBOL_LINK_END = 134,
  SORT_ASCENDING = 150,
};

// The fields of a part's order line, in the order list's columns (its
// V4Prot.ini): quantity, part number, name, remark.
constexpr unsigned char kOrderQuantity = 1;
constexpr unsigned char kOrderPartNumber = 2;
constexpr unsigned char kOrderName = 3;
constexpr unsigned char kOrderRemark = 4;
// The parts master's field that holds a part's name.
constexpr unsigned char kMasterName = 2;

// Borders: inner and outer lines, the outer sides and ends raised.
constexpr unsigned char kTableBorders = 1 | 2 | 4 | 8 | 64 | 128;

// Texts of the dictionary that the frames show.
constexpr int kOrderHintText = 1004;
constexpr int kModelNotesText = 1005;
constexpr int kPartHeadTexts = 1010;  // position, part, name, quantity, remark
constexpr int kAssemblyHeadTexts = 1015;  // number, assembly

TagCodeBuilder& Margins(TagCodeBuilder& file, unsigned char across, unsigned char down) {
  return file.Tag(MARGINS_ACROSS, {across, across}).Tag(MARGINS_DOWN, {down, down});
}

// A header row of texts of the dictionary, as a fixed table part.
TagCodeBuilder& HeaderRow(TagCodeBuilder& file, int firstText, int count) {
  file.Tag(FIXED_TABLE).Tag(ROW);
  for (int i = 0; i < count; ++i) file.Tag(CELL).Tag(BOLD).TextNumber(firstText + i).Tag(BOLD_OFF).Tag(CELL_END);
  return file.Tag(ROW_END).Tag(FIXED_TABLE_END);
}

// The header frame: the catalogue's title and the key's name, large and bold.
TagCodeBuilder Header() {
  TagCodeBuilder file;
  file.Group("Kopf");
  Margins(file, 6, 4).Tag(TEXT_SIZE, {14}).Tag(FREE_CELL).Tag(BOLD);
  file.TextKey("TITEL").Text(" - ").Variable("KEYNAME").Tag(FREE_CELL_END).EndGroup();
  return file;
}

// Notes on the model: the electric start, where it is fitted, the hint for
// orders as a text to wrap, a link with the arrow to the notes page, and the
// picture of the mower, which the viewer's zoom commands enlarge.
TagCodeBuilder Notes() {
  TagCodeBuilder file;
  file.Group("Hinweis");
  Margins(file, 6, 6);
  file.If("Elektrostart = TRUE").Tag(FREE_CELL).Tag(TEXT_COLOUR, {0, 0, 160}).TextNumber(kElectricHintText);
  file.Tag(LINE_END).Tag(FREE_CELL_END).EndIf();
  file.Tag(FREE_CELL).TextNumber(kOrderHintText).Tag(LINE_END).TextNumber(kModelNotesText).Text(" ");
  file.Open(SYMBOL_LINK, "INFO").Open(LINK_TARGET, "1").Tag(SYMBOL_LINK_END).Tag(FREE_CELL_END);
  file.Closed(PICTURE_WIDTH, "100%", PICTURE_WIDTH_END).Closed(PICTURE_HEIGHT, "160", PICTURE_HEIGHT_END);
  file.Tag(PICTURE_ZOOM, {1}).Open(PICTURE, "rm46.bmp").EndGroup();
  return file;
}

// The bar below a part table.
TagCodeBuilder Footer() {
  TagCodeBuilder file;
  file.Group("Fuss");
  Margins(file, 6, 2).Tag(FREE_CELL).TextNumber(kTableHintText).Tag(FREE_CELL_END).EndGroup();
  return file;
}

// The notes of the pop-up page, line by line.
TagCodeBuilder Info() {
  TagCodeBuilder file;
  file.Group("Info");
  Margins(file, 8, 8).Tag(FREE_CELL).Tag(BOLD).TextKey("TITEL").Tag(BOLD_OFF).Tag(LINE_END);
  file.TextNumber(kTableHintText).Tag(LINE_END).TextNumber(kOrderHintText).Tag(FREE_CELL_END).EndGroup();
  return file;
}

// The start page's list: a table of the assemblies sorted by their names,
// each a link to its key, and below it the mower as a line drawing whose
// labels are the assemblies' positions, which the table matches. The record
// block's text is the table's column definition. The history starts anew at
// the start page.
TagCodeBuilder Overview() {
  TagCodeBuilder file;
  file.Tag(TAG_CLEAR_HISTORY);
  file.Group("Uebersicht");
  Margins(file, 4, 4).Tag(FREE_CELL).Tag(BOLD).TextNumber(kAssembliesText).Tag(FREE_CELL_END);
  file.Tag(BORDER_WIDTH, {1}).Tag(BORDER_FLAGS, {kTableBorders}).Tag(GRID_COLOUR, {160, 160, 160});
  file.Tag(CELL_MARGINS_ACROSS, {3, 3}).Tag(CELL_MARGINS_DOWN, {1, 1});
  file.Open(TAG_RECORD_BLOCK, "2,30,*");
  HeaderRow(file, kAssemblyHeadTexts, 2).Tag(SORT_ASCENDING, {2}).Tag(SCROLLED_TABLE).Repeat();
  file.Tag(CELL).Tag(HOTSPOT_MATCH).Field(0).Tag(CELL_END).Tag(CELL).Field(4).Tag(CELL_END);
  file.EndRepeat().Tag(SCROLLED_TABLE_END).Tag(TAG_RECORD_BLOCK_END);
  file.Closed(PICTURE_WIDTH, "100%", PICTURE_WIDTH_END).Closed(PICTURE_HEIGHT, "200", PICTURE_HEIGHT_END);
  file.Open(PICTURE, "rm46.cap").EndGroup();
  return file;
}

// The part table: position, part number (which can be ordered and names the
// part's hotspot in the picture), name from
// the parts master, quantity and remark, sorted by part number; records of
// other models are left out by their conditions. A part is ordered with its
// quantity, number, name and remark.
TagCodeBuilder PartTable() {
  TagCodeBuilder file;
  file.Assign(TAG_SET_LONG, "Seiten", std::string{static_cast<char>(kStatementByte), TAG_VARIABLE} + "Seiten" +
                                          std::string{static_cast<char>(kStatementByte), TAG_VARIABLE_END} + "+1");
  file.Group("Teile");
  Margins(file, 2, 2).Tag(BORDER_WIDTH, {1}).Tag(BORDER_FLAGS, {kTableBorders}).Tag(GRID_COLOUR, {128, 128, 128});
  file.Tag(CELL_MARGINS_ACROSS, {3, 3}).Tag(CELL_MARGINS_DOWN, {1, 1});
  file.Open(TAG_RECORD_BLOCK, "5,40,-3,*,55,25%");
  HeaderRow(file, kPartHeadTexts, 5).Tag(SORT_ASCENDING, {2}).Tag(SCROLLED_TABLE).Repeat();
  file.Tag(CELL).Field(0).Tag(CELL_END);
  file.Tag(CELL).Tag(KEY_MARK).Tag(HOTSPOT_MATCH).Tag(ORDER_FIELD, {kOrderPartNumber}).Field(4).Tag(CELL_END);
  file.Tag(CELL).Tag(ORDER_FIELD, {kOrderName}).MasterField(4, kMasterName).Tag(CELL_END);
  file.Tag(CELL).Tag(CELL_ALIGNMENT, {1}).Tag(ORDER_FIELD, {kOrderQuantity}).Field(6).Tag(CELL_END);
  file.Tag(CELL).Tag(ORDER_FIELD, {kOrderRemark}).Field(5).Tag(CELL_END);
  file.EndRepeat().Tag(SCROLLED_TABLE_END).Tag(TAG_RECORD_BLOCK_END).EndGroup();
  return file;
}

}  // namespace

// The files are named in lower case; the pages include them by their frames'
// names, which the viewer finds whatever their case.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_descriptions FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  const std::pair<const char*, TagCodeBuilder> files[] = {
      {"start.wv4hpd", StartPage()},     {"baugruppe.wv4hpd", AssemblyPage()}, {"hinweise.wv4hpd", NotesPage()},
      {"kopf.wv4hfd", Header()},         {"uebersicht.wv4hfd", Overview()},    {"teile.wv4hfd", PartTable()},
      {"hinweis.wv4hfd", Notes()},       {"fuss.wv4hfd", Footer()},            {"info.wv4hfd", Info()},
  };
  for (const auto& [name, file] : files) {
    if (!file.WriteTo(folder + "/" + name)) {
      std::cerr << "make_descriptions: cannot write " << folder << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
