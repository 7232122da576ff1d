// The description files of the sample catalogue, a parts catalogue of the
// lawn mower RM 46: a start page listing the assemblies and one page layout
// for every assembly with its part table. Written into the folder given as
// the only argument.
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

// The name list of a page: its frames, and a frame shown only for electric start.
TagCodeBuilder& Frames(TagCodeBuilder& file, const char* frames) {
  return file.Tag(12)
      .Closed('R', frames, 'S')
      .Closed('V', "Hinweis", 'W')
      .Text("Elektrostart = TRUE")
      .Tag('X')
      .Tag(13);
}

TagCodeBuilder StartPage() {
  TagCodeBuilder file;
  Frames(file, "Kopf,Uebersicht");
  // The window title, computed when the key is shown.
  file.Tag(14).Tag(130).TextNumber(kTitleText).Tag(131).Tag(15);
  file.Include("kopf").Include("uebersicht").Tag(TAG_END);
  return file;
}

TagCodeBuilder AssemblyPage() {
  TagCodeBuilder file;
  Frames(file, "Kopf,Teile");
  file.Include("kopf").Include("teile").Tag(TAG_END);
  return file;
}

// The header frame: the catalogue's title and the key's name.
TagCodeBuilder Header() {
  TagCodeBuilder file;
  file.Group("Kopf").TextKey("TITEL").Text(" - ").Variable("KEYNAME").EndGroup();
  file.If("Elektrostart = TRUE").Group("Hinweis").TextNumber(kElectricHintText).EndGroup().EndIf();
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
  file.EndRepeat().Tag(TAG_RECORD_BLOCK_END);
  file.TextNumber(kTableHintText).EndGroup();
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_descriptions FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  const std::pair<const char*, TagCodeBuilder> files[] = {
      {"start.wv4hpd", StartPage()}, {"baugruppe.wv4hpd", AssemblyPage()}, {"kopf.wv4hfd", Header()},
      {"uebersicht.wv4hfd", Overview()}, {"teile.wv4hfd", PartTable()},
  };
  for (const auto& [name, file] : files) {
    if (!file.WriteTo(folder + "/" + name)) {
      std::cerr << "make_descriptions: cannot write " << folder << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
