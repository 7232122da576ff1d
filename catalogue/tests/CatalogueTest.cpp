// Every key of the sample catalogue renders to the tag stream kept in its
// golden file, byte for byte, and is laid out as the face described in its
// second golden file. The golden files were reviewed by hand; they are
// written anew only on purpose, with VARNO_REGENERATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CImage.h"
#include "Main/CMultiFrame.h"
#include "Main/CSymbolItem.h"
#include "Main/CTableCell.h"
#include "Main/CTablePart.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/tests/RecordingWindows.h"
#include "mfc/CClientDC.h"
#include "testing/TempFolder.h"
#include "win32/UserWindows.h"
#include "win32/Files.h"
#include "win32/Version.h"

VARNO_VERSION_INFO(
    "FileVersion=4.0.1.7\n"
    "Translation=0407 04E4\n");

namespace {

const std::string kGolden = std::string(VARNO_TEST_DATA) + "/../golden/";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), {});
}

bool Regenerating() {
  const char* regenerate = std::getenv("VARNO_REGENERATE_GOLDEN");
  return regenerate != nullptr && std::string(regenerate) == "1";
}

// Compares text with the golden file of that name, or writes it anew.
void ExpectGolden(const std::string& text, const std::string& name) {
  const std::string path = kGolden + name;
  if (Regenerating()) std::ofstream(path, std::ios::binary) << text;
  EXPECT_EQ(text, ReadFile(path)) << path;
}

// An application that notes the commands a key enables and disables.
class CommandsApp : public CViewerApp {
 public:
  void EnableCommand(int command, BOOL enable) override {
    commands += (enable ? " +" : " -") + std::to_string(command);
  }
  std::string commands;
};

std::string Size(int size, BOOL percent) {
  if (size == -1) return "*";
  return std::to_string(size) + (percent ? "%" : "");
}

// What holds pane of frame set k: a frame or a nested frame set.
std::string PaneContent(const CFace& face, int k, int pane) {
  for (const auto& frame : face.m_frames) {
    if (frame->m_frameset == k && frame->m_pane == pane) return "frame " + std::string(frame->m_name);
  }
  for (int nested = 0; nested < face.GetFrameSetCount(); ++nested) {
    const FrameSet& set = face.m_framesets[static_cast<size_t>(nested)];
    if (set.m_parent_set == k && set.m_parent_pane == pane) return "frame set " + std::to_string(nested);
  }
  return "nothing";
}

// The face as a reader checks it: its frame sets with the sizes asked for and
// those worked out, the frames in their panes, what it prints and its symbols.
std::string Describe(const CFace& face, const CMultiFrame& window, const std::string& commands) {
  std::string out = "face " + std::string(face.m_face_name) + "\n";
  const CWV4Globals& g = theGlobals;
  out += "neighbours " + std::string(g.m_leftneighbour) + " | " + std::string(g.m_rightneighbour) + "\n";
  const int* size = window.m_key_window_size;
  const BOOL* percent = window.m_key_window_percent;
  if (size[0] != -1 || size[1] != -1) {
    out += "window " + Size(size[0], percent[0]) + " x " + Size(size[1], percent[1]) + "\n";
  }
  out += "commands" + commands + "\n";
  for (int k = 0; k < face.GetFrameSetCount(); ++k) {
    const FrameSet& set = face.m_framesets[static_cast<size_t>(k)];
    out += "frame set " + std::to_string(k) + ": " + (set.IsRows() ? "rows" : "columns");
    out += set.m_parent_set < 0 ? std::string(" in the window")
                                : " in " + std::to_string(set.m_parent_set) + "/" + std::to_string(set.m_parent_pane);
    out += ", bar " + std::to_string(set.m_bar_width) + (set.m_shared_border ? ", shared borders\n" : "\n");
    for (int pane = 0; pane < set.PaneCount(); ++pane) {
      const FramePane& p = set.m_panes[static_cast<size_t>(pane)];
      out += "  pane " + std::to_string(pane) + ": " + Size(set.Along(p.requested), p.percent) + " -> ";
      out += std::to_string(p.computed.cx) + "x" + std::to_string(p.computed.cy) + ", " + PaneContent(face, k, pane);
      out += p.fixedBar != 0 ? ", fixed bar\n" : "\n";
    }
  }
  for (const auto& frame : face.m_frames) {
    if (!frame->HasPane()) out += "frame " + std::string(frame->m_name) + " without pane\n";
  }
  for (int i = 0; i < face.m_print_count; ++i) {
    const CPrintEntry& entry = face.m_print_entries[static_cast<size_t>(i)];
    out += "print " + std::string(entry.m_first) + " | " + std::string(entry.m_second) + " | ";
    // The form lies in the installation, wherever the build put it.
    std::string form(entry.m_third);
    if (form.starts_with(VARNO_CATALOGUE_DIR)) form.replace(0, std::string_view(VARNO_CATALOGUE_DIR).size(), "<VARNO>");
    out += form + "\n";
  }
  for (const auto& symbol : face.m_symbols) {
    out += "symbol " + std::to_string(symbol->m_number) + " " + std::string(symbol->m_name) + " ";
    out += std::to_string(symbol->m_width) + "x" + std::to_string(symbol->m_height) + ", margins";
    for (int margin : symbol->m_margins) out += " " + std::to_string(margin);
    out += "\n";
  }
  return out;
}

// A cell's items: texts as they stand, a link as [text -> target], an order
// mark as a leading *, a line end as /, a symbol as {symbol -> target}.
std::string DescribeCell(const CTableCell& cell) {
  std::string out;
  for (const auto& item : cell.m_items) {
    if (item->m_kind == ITEM_TEXT) {
      const auto& text = static_cast<const CTextField&>(*item);
      std::string shown = (text.m_link.key_mark != 0 ? "*" : "") + std::string(text.m_text);
      if (text.m_spec.m_bold != 0) shown = "<b>" + shown + "</b>";
      if (text.m_link.kind != 0) shown = "[" + shown + " -> " + std::string(text.m_link.target) + "]";
      out += shown;
    } else {
      const auto& symbol = static_cast<const CSymbolItem&>(*item);
      out += "{" + std::string(symbol.m_name) + " -> " + std::string(symbol.m_link_text) + "}";
    }
    if (item->m_end == END_LINE) out += "/";
  }
  return out;
}

std::string DescribeColumns(const std::vector<TableColumn>& columns) {
  std::string out;
  for (const TableColumn& column : columns) {
    out += (out.empty() ? "" : ",") + Size(column.width_spec, column.percent);
  }
  return out;
}

// What each frame read from its definition.
std::string DescribeFrames(const CFace& face) {
  std::string out;
  for (const auto& frame : face.m_frames) {
    out += "frame " + std::string(frame->m_name) + (frame->m_defined != 0 ? "\n" : ": not read\n");
    for (int i = 0; i < frame->m_child_count; ++i) {
      const FrameChild& child = frame->m_children[static_cast<size_t>(i)];
      if (child.kind == CHILD_CELL) out += "  cell: " + DescribeCell(*child.Cell()) + "\n";
      if (child.kind == CHILD_PICTURE) {
        const CImage& picture = *child.Picture();
        out += "  picture " + std::string(picture.m_file) + " " + Size(picture.m_width, picture.m_width_percent) +
               " x " + Size(picture.m_height, picture.m_height_percent) + "\n";
      }
      const CTablePart* part = child.Part();
      if (part == nullptr) continue;
      out += std::string(child.kind == CHILD_HEAD_TABLE ? "  fixed" : "  scrolled") + " table, columns " +
             DescribeColumns(part->m_columns) + ", sorted by " + std::to_string(part->m_sort_column) + "\n";
      for (int row = 0; row < part->RowCount(); ++row) {
        out += "   ";
        for (int column = 0; column < part->m_column_count; ++column) {
          out += " | " + DescribeCell(*part->Cell(row, column));
        }
        out += "\n";
      }
    }
  }
  return out;
}

class CatalogueTest : public ::testing::Test {
 protected:
  // The viewer runs in its installation's folder, where the symbols' bitmap
  // files lie.
  void SetUp() override {
    GetCurrentDirectory(sizeof m_folder, m_folder);
    SetCurrentDirectory(VARNO_CATALOGUE_DIR);
    ASSERT_TRUE(installation.Load()) << Newest();
  }
  void TearDown() override { SetCurrentDirectory(m_folder); }
  static int Newest() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }
  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  char m_folder[1024] = "";
};

struct KeyCase {
  const char* golden;
  const char* key;
  const char* language;
  const char* variable;  // set to TRUE or to its text before rendering, when given
  const char* value;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.golden; }

class GoldenKeys : public CatalogueTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GoldenKeys, RenderAndLayOutAsTheirGoldenFiles) {
  const KeyCase& c = GetParam();
  if (c.language != nullptr) installation.SetDataLanguage(c.language);
  if (c.variable != nullptr) {
    const bool truth = std::string(c.value) == "TRUE";
    theGlobals.m_pvar->SetVar(c.variable, truth ? VarValue::Bool(TRUE) : VarValue::Text(c.value),
                              truth ? VAR_BOOL : VAR_CHAR);
  }
  CDynBuf stream;
  ASSERT_TRUE(installation.Render(c.key, stream)) << Newest();
  const std::string rendered(reinterpret_cast<const char*>(stream.GetData()), static_cast<size_t>(stream.GetLength()));
  ExpectGolden(rendered, std::string(c.golden) + ".tags");
  // The viewer keeps a copy of every rendered stream in the user's folder.
  EXPECT_EQ(ReadFile(user / "db2view.wv4"), rendered);

  CommandsApp app;
  theGlobals.m_papp = &app;
  theGlobals.m_act_key_buf = stream;
  CMultiFrame window;
  varno::testing::RecordingWindows windows;
  CFace face;
  face.SetFrameWindow(&window);
  face.SetWindows(&windows);
  const BOOL declared = face.NewKey();
  theGlobals.m_papp = &installation.app;
  ASSERT_TRUE(declared) << Newest();
  ASSERT_TRUE(face.CreateLayout()) << Newest();
  ASSERT_TRUE(face.BuildFrames()) << Newest();
  ExpectGolden(Describe(face, window, app.commands) + DescribeFrames(face), std::string(c.golden) + ".face");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GoldenKeys,
    ::testing::Values(KeyCase{"START", "START", nullptr, nullptr, nullptr},
                      KeyCase{"GEH", "rm46~GEH", nullptr, nullptr, nullptr},
                      KeyCase{"MOT", "MOT", nullptr, nullptr, nullptr},
                      KeyCase{"ANT", "ANT", nullptr, nullptr, nullptr},
                      KeyCase{"GRI", "GRI", nullptr, nullptr, nullptr},
                      KeyCase{"START.GB", "START", "GB", nullptr, nullptr},
                      KeyCase{"MOT.GB", "MOT", "GB", nullptr, nullptr},
                      KeyCase{"START.Selbstfahrer", "START", nullptr, "Modell", "RM46S"},
                      KeyCase{"MOT.Elektrostart", "MOT", nullptr, "Elektrostart", "TRUE"},
                      KeyCase{"INFO", "INFO", nullptr, nullptr, nullptr},
                      KeyCase{"INFO.GB", "INFO", "GB", nullptr, nullptr}),
    [](const auto& info) {
      std::string name = info.param.golden;
      for (char& c : name) {
        if (c == '.') c = '_';
      }
      return name;
    });

TEST_F(CatalogueTest, InstallationLoadsItsConfiguration) {
  CWV4Globals& g = theGlobals;
  EXPECT_STREQ(g.m_key_start, "rm46~START");
  EXPECT_STREQ(g.m_cur_prj_name, "Rasenmaeher RM 46");
  EXPECT_EQ(g.m_lang_data_num, 2);
  EXPECT_EQ(g.m_lang_prg_num, 2);
  EXPECT_STREQ(g.m_prg_language, "D");
  EXPECT_STREQ(g.m_language, "D");
  EXPECT_EQ(g.m_toolbar_place_user_pop, 3);
  EXPECT_EQ(g.m_hs_is_case_sensitive, FALSE);
  CString rule;
  EXPECT_TRUE(g.m_plogic->FindRule(300, rule));
  EXPECT_STREQ(rule, "Elektrostart = TRUE");
  // Main toolbar: the group of three ends in a separator, as does each
  // button with group 1; the raster button starts down.
  EXPECT_EQ(installation.app.m_buttons_frm.count, 11);
  EXPECT_EQ(installation.app.m_buttons_pop.count, 2);
  EXPECT_EQ(g.m_raster_on, TRUE);
  VarValue v;
  EXPECT_EQ(g.m_pvar->GetVar("Ueberschrift", &v), VAR_DUD);
  EXPECT_EQ(v.lval, 1000);
  EXPECT_EQ(Newest(), 0);
}

// The command ids of the menu file (the accelerators' last field, every
// other entry's first) and of the button files (the fourth field of each
// button line).
std::vector<int> CommandsOfTheInstallation() {
  std::vector<int> commands;
  std::istringstream menu(ReadFile(std::string(VARNO_CATALOGUE_DIR) + "/menue.ini"));
  bool accelerators = false;
  for (std::string line; std::getline(menu, line);) {
    if (line.rfind('[', 0) == 0) accelerators = line.rfind("[ACCELERATOR]", 0) == 0;
    const size_t value = line.find('=');
    if (value == std::string::npos || line.find('[', value) != std::string::npos) continue;
    const std::string fields = line.substr(value + 1);
    if (fields.find(',') == std::string::npos) continue;  // a count
    commands.push_back(std::atoi(fields.c_str() + (accelerators ? fields.rfind(',') + 1 : 0)));
  }
  for (const char* file : {"/haupt.btn", "/popup.btn"}) {
    std::istringstream buttons(ReadFile(std::string(VARNO_CATALOGUE_DIR) + file));
    std::string line;
    std::getline(buttons, line);  // the bitmaps' size
    while (std::getline(buttons, line)) {
      size_t field = 0;
      for (int comma = 0; comma < 3 && field != std::string::npos; ++comma) field = line.find(',', field + 1);
      if (field != std::string::npos) commands.push_back(std::atoi(line.c_str() + field + 1));
    }
  }
  return commands;
}

// A command that starts an external program names its entry of the list by
// its own id: the Search menu's where-used entry must be entry 645.
TEST_F(CatalogueTest, CommandsThatStartProgramsHaveTheirEntries) {
  CExtPrg list;
  list.Load(theGlobals.m_ext_file);
  int starting = 0;
  for (int id : CommandsOfTheInstallation()) {
    if (id < 460 || id > 819) continue;
    ++starting;
    CString program, command;
    int flag = 0;
    EXPECT_TRUE(list.Find(id, program, flag, command)) << "command " << id << " has no entry in the list";
  }
  EXPECT_GT(starting, 0) << "the Search menu starts the where-used program";
  CErrorTrace::RemoveAll();
}

// The codes that the viewer added to the error table have their texts in
// the sample catalogue's message file, in both program languages.
TEST_F(CatalogueTest, MessageFileHoldsTheTextsOfTheAddedErrorCodes) {
  for (const char* language : {"D", "GB"}) {
    theGlobals.m_msgdud.DdmTextSetLanguage(language);
    for (int code : {ERR_FIELD_DEPTH, ERR_STREAM_TOO_LONG, ERR_REPEAT_NO_PROGRESS}) {
      ASSERT_NE(ErrorTextTable[code], 0u) << code;
      EXPECT_STRNE(theGlobals.MessageText(static_cast<LONG>(ErrorTextTable[code])), "") << language << " " << code;
    }
  }
  EXPECT_STREQ(theGlobals.MessageText(static_cast<LONG>(ErrorTextTable[ERR_FIELD_DEPTH])),
               "Fields insert each other too deeply");
  theGlobals.m_msgdud.DdmTextSetLanguage("D");
}

TEST_F(CatalogueTest, FileVersionOfAModule) {
  CString version = "stale";
  EXPECT_EQ(installation.app.GetFileVersion("/proc/self/exe", version), 1);
  EXPECT_STREQ(version, "4.0.1.7");
  EXPECT_EQ(installation.app.GetFileVersion(CString(VARNO_CATALOGUE_DIR) + "\\varno4.ini", version), 0);
}

TEST_F(CatalogueTest, NeighbourKeysOfAnAssembly) {
  CDynBuf stream;
  ASSERT_TRUE(installation.Render("MOT", stream));
  VarValue v;
  theGlobals.m_pvar->GetVar("LEFTNEIGHBOUR", &v);
  EXPECT_STREQ(v.text, "GEH");
  theGlobals.m_pvar->GetVar("RIGHTNEIGHBOUR", &v);
  EXPECT_STREQ(v.text, "ANT");
  theGlobals.m_pvar->GetVar("KEYNAME", &v);
  EXPECT_STREQ(v.text, "Motor");
}

}  // namespace

namespace {

// A key's face built from its stream, with its frames read.
class CatalogueFrames : public CatalogueTest {
 protected:
  CFrame& Build(const char* key, const char* frameName) {
    CDynBuf stream;
    EXPECT_TRUE(installation.Render(key, stream)) << Newest();
    theGlobals.m_act_key_buf = stream;
    face.SetFrameWindow(&window);
    face.SetWindows(&windows);
    EXPECT_TRUE(face.NewKey()) << Newest();
    EXPECT_TRUE(face.CreateLayout()) << Newest();
    EXPECT_TRUE(face.BuildFrames()) << Newest();
    for (auto& frame : face.m_frames) {
      if (std::string(frame->m_name) == frameName) return *frame;
    }
    ADD_FAILURE() << "no frame " << frameName;
    return *face.m_frames.front();
  }
  // Lays the frame out in a view of its pane's size.
  void Layout(CFrame& frame) {
    const CSize size = face.m_framesets[static_cast<size_t>(frame.m_frameset)]
                           .m_panes[static_cast<size_t>(frame.m_pane)]
                           .computed;
    canvas = std::make_unique<layer::testing::MemoryCanvas>(size.cx, size.cy);
    view = std::make_unique<varno::testing::CanvasView>(&frame, CRect(0, 0, size.cx, size.cy));
    ASSERT_TRUE(frame.AttachView(view.get(), CDC::FromHandle(canvas->dc), nullptr));
  }
  static int Width(const CTextField& text, const CString& piece) {
    CClientDC screen(nullptr);
    CFont font;
    text.m_spec.CreateFont(font);
    CFont* old = screen.SelectObject(&font);
    const int width = screen.GetTextExtent(piece).cx;
    screen.SelectObject(old);
    return width;
  }
  static const CTextField& FirstText(const CTableCell& cell) {
    return static_cast<const CTextField&>(*cell.m_items.front());
  }

  CMultiFrame window;
  varno::testing::RecordingWindows windows;
  CFace face;
  std::unique_ptr<layer::testing::MemoryCanvas> canvas;
  std::unique_ptr<varno::testing::CanvasView> view;
};

TEST_F(CatalogueFrames, ThePartTableTakesItsColumnWidthsFromItsCellsAndTheFrame) {
  CFrame& frame = Build("MOT", "Teile");
  Layout(frame);
  ASSERT_EQ(frame.m_child_count, 2);
  const CTablePart& head = *frame.m_children[0].Part();
  const CTablePart& body = *frame.m_children[1].Part();
  std::vector<int> widths;
  for (int c = 0; c < 5; ++c) {
    widths.push_back(head.Cell(0, c)->m_rect.Width());
    for (int row = 0; row < body.RowCount(); ++row) EXPECT_EQ(body.Cell(row, c)->m_rect.Width(), widths[c]) << c;
  }
  const int inner = frame.m_client.Width() - frame.m_margins.left - frame.m_margins.right - head.m_insets.left -
                    head.m_insets.right - GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(widths[0], 40);
  EXPECT_EQ(widths[3], 55);
  EXPECT_EQ(widths[4], inner * 25 / 100);
  // The part number column is as wide as its widest cell needs.
  int widest = 0;
  for (const CTablePart* part : {&head, &body}) {
    for (int row = 0; row < part->RowCount(); ++row) {
      const CTableCell& cell = *part->Cell(row, 1);
      widest = std::max(widest, cell.m_strips.left + cell.m_margins.left + Width(FirstText(cell), cell.GetText()) +
                                    cell.m_margins.right + cell.m_strips.right);
    }
  }
  EXPECT_EQ(widths[1], widest);
  EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[3] + widths[4], inner);
  // The body is sorted by part number; the quantities stand at the right.
  for (int row = 1; row < body.RowCount(); ++row) {
    EXPECT_LT(std::string(body.Cell(row - 1, 1)->GetText()), std::string(body.Cell(row, 1)->GetText()));
  }
  for (int row = 0; row < body.RowCount(); ++row) {
    const CTableCell& cell = *body.Cell(row, 3);
    EXPECT_EQ(FirstText(cell).m_pieces[0]->m_rect.right, cell.m_rect.right - cell.m_strips.right - cell.m_margins.right);
  }
  // 1-pixel lines between the cells and 3-D edges outside; the header's
  // bottom separates it from the body, whose ends lie outside its view.
  EXPECT_EQ(head.Cell(0, 0)->m_strips, (Sides{3, 3, 0, 3}));
  EXPECT_EQ(body.Cell(0, 4)->m_strips, (Sides{1, 0, 3, 0}));
  EXPECT_EQ(body.Cell(1, 2)->m_strips, (Sides{1, 1, 0, 0}));
}

TEST_F(CatalogueFrames, NotesWrapAtTheBreakCharactersAsFarAsTheFrameAllows) {
  CFrame& frame = Build("MOT", "Hinweis");
  Layout(frame);
  const CTableCell& cell = *frame.m_children[0].Cell();
  const CTextField& text = FirstText(cell);
  const CString& original = text.m_text;
  const CString breaks = theGlobals.m_def_break_charset;
  const int width = cell.m_rect.Width() - cell.m_strips.left - cell.m_strips.right - cell.m_margins.left -
                    cell.m_margins.right;
  ASSERT_GT(text.m_pieces.size(), 3u);
  int at = 0;
  for (size_t i = 0; i + 1 < text.m_pieces.size(); ++i) {
    const CString piece = text.m_pieces[i]->m_text;
    if (piece.IsEmpty()) continue;  // the line end behind the text
    SCOPED_TRACE(static_cast<const char*>(piece));
    ASSERT_EQ(original.Mid(at, piece.GetLength()), piece);
    at += piece.GetLength();
    EXPECT_LE(text.m_pieces[i]->m_rect.Width(), width);
    const BOOL last = at >= original.GetLength();
    if (last) break;
    // A break character ends the piece, or the blank after it was dropped.
    const BOOL atBreak = breaks.Find(piece[piece.GetLength() - 1]) >= 0 || original[at] == ' ';
    EXPECT_TRUE(atBreak);
    if (original[at] == ' ') ++at;
    // The next word up to its break character would not have fitted.
    int next = at;
    while (next < original.GetLength() && breaks.Find(original[next]) < 0) ++next;
    EXPECT_GT(Width(text, original.Mid(at - (original[at - 1] == ' ' ? 1 : 0) - piece.GetLength(),
                                       piece.GetLength() + (next - at) + 1 + (original[at - 1] == ' ' ? 1 : 0))),
              width);
  }
}

}  // namespace
