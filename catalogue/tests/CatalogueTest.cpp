// Every key of the sample catalogue renders to the tag stream kept in its
// golden file, byte for byte, and is laid out as the face described in its
// second golden file. The golden files were reviewed by hand; they are
// written anew only on purpose, with VARNO_REGENERATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/tests/RecordingWindows.h"
#include "testing/TempFolder.h"
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
    out += std::string(entry.m_third) + "\n";
  }
  for (const auto& symbol : face.m_symbols) {
    out += "symbol " + std::to_string(symbol->m_number) + " " + std::string(symbol->m_name) + ", margins";
    for (int margin : symbol->m_margins) out += " " + std::to_string(margin);
    out += "\n";
  }
  return out;
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.Load()) << Newest(); }
  static int Newest() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }
  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
};

struct KeyCase {
  const char* golden;
  const char* key;
  const char* language;
  const char* variable;  // set to TRUE or to its text before rendering, when given
  const char* value;
};

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
  ExpectGolden(Describe(face, window, app.commands), std::string(c.golden) + ".face");
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
