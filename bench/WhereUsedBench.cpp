// The where-used search over a where-used file of 1 million records, every
// one of them taking part (all flag bits on). In the process: from the file's
// open to the list of hits. As whole processes, paired with grep counting the
// lines that match in the same records written one per line, their fields
// padded with blanks: the search program (whereused_search, the search as
// the where-used program runs it) beside grep, both timed by the processor
// time of their whole run. A search text without wildcards is paired with a
// fixed-string grep, one with wildcards with a pattern grep. The files are
// made at the first run, in a temporary folder, and removed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

#include "bench/Pairing.h"
#include "whereused/WhereUsedFile.h"

namespace fs = std::filesystem;

namespace {

// Records of 50 bytes: a part number of 20, a key of 16, a block text of 12
// and two flag bytes; 1 million of them.
const WhereUsedGeometry kGeometry{20, 16, 12, 8};
constexpr size_t kRecords = 1'000'000;
constexpr const char* kPartNumber = "C-123456";

std::string Padded(const std::string& field, size_t length) { return field + std::string(length - field.size(), ' '); }

// The records as text for grep: each field padded with blanks to its length,
// one record a line.
class Files {
 public:
  Files() {
    m_folder = fs::temp_directory_path() / ("whereused-bench-" + std::to_string(::getpid()));
    fs::create_directories(m_folder);
    std::ofstream records(Records(), std::ios::binary);
    std::ofstream lines(Lines(), std::ios::binary);
    std::mt19937 random(11);
    std::string record(static_cast<size_t>(kGeometry.RecordLength()), '\0');
    char text[32];
    for (size_t r = 0; r < kRecords; ++r) {
      std::fill(record.begin(), record.end(), '\0');
      std::snprintf(text, sizeof text, "%c-%06u", static_cast<char>('A' + random() % 8),
                    static_cast<unsigned>(random() % 1000000));
      // The part number looked for, now and then, in either case.
      if (r % 125'000 == 7) std::snprintf(text, sizeof text, "%s", r % 2 ? kPartNumber : "c-123456");
      std::string line = text;
      record.replace(0, line.size(), line);
      const std::string key = "BG" + std::to_string(r % 9973);
      record.replace(20, key.size(), key);
      const std::string block = "Pos " + std::to_string(r % 97);
      record.replace(36, block.size(), block);
      record[48] = record[49] = '\xFF';
      records << record;
      lines << Padded(line, 20) << Padded(key, 16) << Padded(block, 12) << '\n';
    }
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }
  std::string Records() const { return (m_folder / "vnw.bin").string(); }
  // Files of one record, the one looked for: what a whole run costs beyond
  // the search (grep fails on a file without a match).
  std::string OneRecord() const {
    std::string record(static_cast<size_t>(kGeometry.RecordLength()), '\0');
    record.replace(0, std::string(kPartNumber).size(), kPartNumber);
    record[48] = record[49] = '\xFF';
    std::ofstream(m_folder / "one.bin", std::ios::binary) << record;
    return (m_folder / "one.bin").string();
  }
  std::string OneLine() const {
    std::ofstream(m_folder / "one.txt", std::ios::binary) << Padded(kPartNumber, 20) << Padded("BG1", 16) << Padded("", 12) << '\n';
    return (m_folder / "one.txt").string();
  }
  std::string Lines() const { return (m_folder / "vnw.txt").string(); }
  std::string Output() const { return (m_folder / "count.txt").string(); }
  std::string Counted() const {
    std::ifstream in(Output());
    std::string count;
    in >> count;
    return count;
  }

 private:
  fs::path m_folder;
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

void Search(benchmark::State& state, const char* pattern) {
  const std::string path = TheFiles().Records();
  int hits = 0;
  for (auto _ : state) {
    WhereUsedFile file(kGeometry);
    WhereUsedHits found(kGeometry);
    if (file.Search(path.c_str(), {pattern, false, 0}, found) != WhereUsedFile::Status::ok) {
      state.SkipWithError("the where-used file did not read");
      return;
    }
    hits = found.Count();
    benchmark::DoNotOptimize(found.Buffer().GetData());
  }
  state.counters["hits"] = hits;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(path)));
}

void SearchPartNumberOurs(benchmark::State& state) { Search(state, kPartNumber); }
BENCHMARK(SearchPartNumberOurs)->Unit(benchmark::kMillisecond)->UseRealTime();

// The last digit left open.
void SearchWithWildcardOurs(benchmark::State& state) { Search(state, "C-12345?"); }
BENCHMARK(SearchWithWildcardOurs)->Unit(benchmark::kMillisecond)->UseRealTime();

// A leading star: every record's text is copied and matched.
void SearchWithLeadingStarOurs(benchmark::State& state) { Search(state, "*-123456"); }
BENCHMARK(SearchWithLeadingStarOurs)->Unit(benchmark::kMillisecond)->UseRealTime();

// One whole run of a program whose count goes to the output file, timed by
// its processor time; the count must be the one the other side found.
void TimeProgram(benchmark::State& state, const char* program, const std::initializer_list<std::string>& arguments) {
  std::string count;
  for (auto _ : state) {
    const double seconds = bench::ProgramSeconds(program, arguments, TheFiles().Output());
    if (seconds < 0) {
      state.SkipWithError("the program did not run or found nothing");
      return;
    }
    state.SetIterationTime(seconds);
    count = TheFiles().Counted();
  }
  state.counters["hits"] = std::stod(count.empty() ? "0" : count);
}

// The search program as the where-used program searches.
void SearchProgram(benchmark::State& state, const char* text, const std::string& records = TheFiles().Records()) {
  const std::string length = std::to_string(kGeometry.textLength), key = std::to_string(kGeometry.keyLength),
                    block = std::to_string(kGeometry.blockLength), columns = std::to_string(kGeometry.columns);
  TimeProgram(state, VARNO_WHEREUSED_SEARCH, {records, length, key, block, columns, text});
}

// Each side started on a file of one record: the fixed cost of a whole run
// (for ours mostly the loading of its shared libraries), which the pairings
// above include.
void WholeSearchOneRecordOurs(benchmark::State& state) { SearchProgram(state, kPartNumber, TheFiles().OneRecord()); }
void GrepOneLine(benchmark::State& state) { TimeProgram(state, "grep", {"-c", "-i", "-F", kPartNumber, TheFiles().OneLine()}); }

void WholeSearchPartNumberOurs(benchmark::State& state) { SearchProgram(state, kPartNumber); }
void WholeSearchWithWildcardOurs(benchmark::State& state) { SearchProgram(state, "C-12345?"); }
void WholeSearchWithLeadingStarOurs(benchmark::State& state) { SearchProgram(state, "*-123456"); }

// grep counts the lines; with its output on /dev/null it would stop at the
// first match. Each wildcard becomes the pattern that matches the same texts
// of these records.
void GrepPartNumber(benchmark::State& state) { TimeProgram(state, "grep", {"-c", "-i", "-F", kPartNumber, TheFiles().Lines()}); }
void GrepWithWildcard(benchmark::State& state) { TimeProgram(state, "grep", {"-c", "-i", "^C-12345. ", TheFiles().Lines()}); }
void GrepWithLeadingStar(benchmark::State& state) { TimeProgram(state, "grep", {"-c", "-i", "^.-123456 ", TheFiles().Lines()}); }

BENCHMARK(WholeSearchOneRecordOurs)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GrepOneLine)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(WholeSearchPartNumberOurs)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GrepPartNumber)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(WholeSearchWithWildcardOurs)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GrepWithWildcard)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(WholeSearchWithLeadingStarOurs)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GrepWithLeadingStar)->Unit(benchmark::kMillisecond)->UseManualTime();

const bool kPartNumberPaired =
    bench::Pair("1 M where-used records, part number", "WholeSearchPartNumberOurs", "GrepPartNumber");
const bool kWildcardPaired =
    bench::Pair("1 M where-used records, wildcard", "WholeSearchWithWildcardOurs", "GrepWithWildcard");
const bool kOneRecordPaired = bench::Pair("where-used, one record: the start", "WholeSearchOneRecordOurs", "GrepOneLine");
const bool kLeadingStarPaired =
    bench::Pair("1 M where-used records, leading star", "WholeSearchWithLeadingStarOurs", "GrepWithLeadingStar");

}  // namespace
