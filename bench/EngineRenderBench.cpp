// Rendering a key whose part table repeats over 1000 records (target: at
// most 5 ms), and loading the sample installation's configuration, variables,
// rules, button files and settings (target: at most 20 ms).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "CatalogueInstallation.h"
#include "DdmTool.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/TagCode.h"
#include "TagCodeBuilder.h"
#include "interfaces/QorDdm.h"

namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// A key "T" of 1000 part records and a parts master of the same parts; the
// table shows four fields and the master's name of every record.
std::string BuildLargeKey(const fs::path& folder) {
  std::string parts = "database\nfields 8\n";
  std::string master = "database\nfields 4\n";
  for (int i = 0; i < 1000; ++i) {
    const std::string number = "P-" + std::to_string(10000 + i);
    parts += "record \"T\"\n0 = \"" + std::to_string(i + 1) + "\"\n4 = \"" + number + "\"\n6 = \"2\"\n";
    if (i == 0) parts += "1 = \"seite\"\n2 = \"Tabelle\"\n";
    if (i % 10 == 0) parts += "3 = \"\\x07\\x00\"\n7 = \"Modell = \\\"RM46\\\"\"\n";
    master += "record \"" + number + "\"\n1 = \"Teil " + std::to_string(i) + "\"\n";
  }
  std::string error;
  if (!ddm::BuildDdmFile(parts, "parts.ddm.txt", (folder / "parts.ddm").string(), &error) ||
      !ddm::BuildDdmFile(master, "master.ddm.txt", (folder / "master.ddm").string(), &error)) {
    return error;
  }
  TagCodeBuilder main;
  main.Include("tabelle").Tag(TAG_END);
  main.WriteTo((folder / "seite.wv4hpd").string());
  TagCodeBuilder table;
  table.Group("Teile").Open(TAG_RECORD_BLOCK, "Teile").Repeat();
  table.Field(0).Text("|").Field(4).Text("|").MasterField(4, 1).Text("|").Field(6).Text("\r\n");
  table.EndRepeat().Tag(TAG_RECORD_BLOCK_END).EndGroup();
  table.WriteTo((folder / "tabelle.wv4hfd").string());
  return "";
}

void RenderKeyOf1000Records(benchmark::State& state) {
  const fs::path folder = ScratchFolder("varno-bench-render");
  const std::string error = BuildLargeKey(folder);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  varno::catalogue::Installation engine(folder.string(), folder.string());
  theGlobals.m_pvar->SetVar("VARNO_DEF", VarValue::Text(folder.string().c_str()), VAR_CHAR);
  theGlobals.m_pvar->SetVar("Modell", VarValue::Text("RM46"), VAR_CHAR);
  DdmDbLink link;
  DdmDbLink master;
  link.dbc = new DdmDatabase;
  master.dbc = new DdmDatabase;
  link.dbc->DdmDbOpen((folder / "parts.ddm").string().c_str());
  master.dbc->DdmDbOpen((folder / "master.ddm").string().c_str());
  // As an installation with the data caches switched on keeps them.
  link.dbc->DdmDbCacheData();
  master.dbc->DdmDbCacheData();
  master.dbc->DdmDbCachePointers();
  theGlobals.m_pstamm = &master;
  CDynBuf stream;
  // The viewer positions the key's link before it renders.
  link.max_lines = link.dbc->DdmDbLookup("T");
  for (auto _ : state) {
    if (!theGlobals.m_pinterp->Browse(stream, &link, DdmDbLink())) state.SkipWithError("the key does not render");
    benchmark::DoNotOptimize(stream.GetData());
  }
  state.counters["bytes"] = stream.GetLength();
  theGlobals.m_pstamm = nullptr;
  link.dbc->DdmDbDelete(1);
  master.dbc->DdmDbDelete(1);
  fs::remove_all(folder);
}
BENCHMARK(RenderKeyOf1000Records)->Unit(benchmark::kMillisecond);

void LoadSampleInstallation(benchmark::State& state) {
  const fs::path user = ScratchFolder("varno-bench-user");
  for (auto _ : state) {
    varno::catalogue::Installation installation(VARNO_CATALOGUE_DIR, user.string());
    if (!installation.Load()) state.SkipWithError("the installation does not load");
  }
  fs::remove_all(user);
}
BENCHMARK(LoadSampleInstallation)->Unit(benchmark::kMillisecond);

}  // namespace
