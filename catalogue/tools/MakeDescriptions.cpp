// The description files of the sample catalogue, a parts catalogue of the
// lawn mower RM 46: a start page listing the assemblies, one page layout for
// every assembly with its part table and a pop-up page of notes, each laid
// out in frame sets, and the frames they include. Written into the folder
// given as the only argument.
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

// The start page: the title above, the assemblies beside the notes on the
// model. Nothing of it is printed.
TagCodeBuilder StartPage() {
  TagCodeBuilder file;
  file.Tag(12).Closed('R', kUserPageCommands, 'S').Closed('T', kPrintCommands, 'U').Tag(13);
  Symbols(file);
  file.Open(27, "80,*").Tag(24, {4}).Tag(25, {1}).Open(155, "1").Include("Kopf");
  file.Open(26, "60%,*").Include("Uebersicht").Include("Hinweis").Tag(71);
  file.Tag(71).Tag(TAG_END);
  return file;
}

// An assembly: the title above, the part table beside its notes, a bar of
// fixed height below; the notes command only for the electric start. The
// part list prints with the catalogue's title and the assembly's name.
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
  file.Open(118, "Kopf,Teile").Open(119, "\"").TextNumber(kTitleText).Text("\"");
  file.Tag(120).Variable("KEYNAME").Tag(121);
  file.Tag(TAG_END);
  return file;
}

// A pop-up page of notes, half the screen wide and 40 % high.
TagCodeBuilder NotesPage() {
  TagCodeBuilder file;
  file.Closed(115, "50%,40%", 128).Open(27, "*").Include("Info").Tag(71).Tag(TAG_END);
  return file;
}

// The header frame: the catalogue's title and the key's name.
TagCodeBuilder Header() {
  TagCodeBuilder file;
  file.Group("Kopf").TextKey("TITEL").Text(" - ").Variable("KEYNAME").EndGroup();
  return file;
}

// Notes on the model: the electric start, where it is fitted.
TagCodeBuilder Notes() {
  TagCodeBuilder file;
  file.Group("Hinweis").If("Elektrostart = TRUE").TextNumber(kElectricHintText).EndIf().EndGroup();
  return file;
}

// The bar below a part table.
TagCodeBuilder Footer() {
  TagCodeBuilder file;
  file.Group("Fuss").TextNumber(kTableHintText).EndGroup();
  return file;
}

// The notes of the pop-up page.
TagCodeBuilder Info() {
  TagCodeBuilder file;
  file.Group("Info").TextKey("TITEL").Text("\r\n").TextNumber(kTableHintText).EndGroup();
  return file;
}

// The start page's list: one line per assembly, each a link to its key. The
// history starts anew at the start page.
TagCodeBuilder Overview() {
  TagCodeBuilder file;
  file.Tag(TAG_CLEAR_HISTORY);
  file.Group("Uebersicht").TextNumber(kAssembliesText).Text("\r\n");
  file.Open(TAG_RECORD_BLOCK, "Baugruppen").Repeat();
  file.Field(0).Text(" ").Field(4).Text("\r\n");
  file.EndRepeat().Tag(TAG_RECORD_BLOCK_END).EndGroup();
  return file;
}

// The part table: position, part number, name from the parts master,
// quantity and remark; records of other models are left out by their
// conditions.
TagCodeBuilder PartTable() {
  TagCodeBuilder file;
  file.Assign(TAG_SET_LONG, "Seiten", std::string{static_cast<char>(kStatementByte), TAG_VARIABLE} + "Seiten" +
                                          std::string{static_cast<char>(kStatementByte), TAG_VARIABLE_END} + "+1");
  file.Group("Teile").Closed(17, "Pos|Teil|Benennung|Menge|Bemerkung", 90).Text("\r\n");
  file.Open(TAG_RECORD_BLOCK, "Teile").Repeat();
  file.Field(0).Text("|").Field(4).Text("|").MasterField(4, 1).Text("|").Field(6).Text("|").Field(5).Text("\r\n");
  file.EndRepeat().Tag(TAG_RECORD_BLOCK_END).EndGroup();
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
