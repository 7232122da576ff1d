// The data manager's speed targets: a warm key search in a 100 000-record
// database, a warm text look-up, and opening a database.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "DdmTool.h"
#include "interfaces/QorDdm.h"
#include "testing/TempFolder.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kTexts = 5000;

// Built once for all benchmarks: a catalogue-like database whose records have
// five fields (field 4 a list) and a dictionary with two languages.
struct Files {
  layer::testing::TempFolder folder;
  std::string database = folder / "bench.ddm";
  std::string dictionary = folder / "texts.ddm";

  Files() {
    std::string source = "database\nfields 5\nlist 4\n";
    for (int i = 0; i < kRecords; ++i) {
      const std::string n = std::to_string(i);
      source.append("record \"P").append(n).append("\"\n0 = \"\\x01\\x03text ").append(n);
      source.append("\"\n1 = \"main\"\n2 = \"P").append(n).append("\"\n3 = \"\\x00\\x00\"\n4 = [\"a");
      source.append(n).append("\", \"b\"]\n");
    }
    Build(source, database);
    source = "dictionary\n";
    for (const char* language : {"D", "GB"}) {
      source += "language \"" + std::string(language) + "\"\n";
      for (int i = 0; i < kTexts; ++i)
        source += std::to_string(i) + " = \"message text number " + std::to_string(i) + "\"\n";
    }
    Build(source, dictionary);
  }

  static void Build(const std::string& source, const std::string& path) {
    std::string error;
    if (!ddm::BuildDdmFile(source, "bench", path, &error)) std::fprintf(stderr, "%s\n", error.c_str());
  }
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

// Keys spread over the whole database, each looked up many times.
std::string KeyOf(long i) { return std::string("P").append(std::to_string((i * 7919) % kRecords)); }

void FindKeyWarm(benchmark::State& state) {
  DdmDatabase db;
  db.DdmDbOpen(TheFiles().database.c_str());
  std::vector<std::string> keys;
  for (long i = 0; i < 1000; ++i) keys.push_back(KeyOf(i));
  for (const std::string& key : keys) db.DdmDbFindKey(key.c_str(), 0);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(db.DdmDbFindKey(keys[next].c_str(), 0));
    benchmark::DoNotOptimize(db.DdmDbGetField(0, 0, nullptr));
    next = (next + 1) % keys.size();
  }
}
BENCHMARK(FindKeyWarm);

void GetTextWarm(benchmark::State& state) {
  DdmTextTable texts(TheFiles().dictionary.c_str(), "GB");
  for (LONG i = 0; i < kTexts; ++i) texts.DdmGetText(i);
  LONG number = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(texts.DdmGetText(number));
    number = (number + 37) % kTexts;
  }
}
BENCHMARK(GetTextWarm);

void OpenDatabase(benchmark::State& state) {
  const std::string& path = TheFiles().database;
  for (auto _ : state) {
    DdmDatabase db;
    benchmark::DoNotOptimize(db.DdmDbOpen(path.c_str()));
  }
}
BENCHMARK(OpenDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
