// The where-used search over a 200 MB where-used file, from the file's open to
// the list of hits, beside grep counting the lines that hold the part number
// in the same records written one per line, their fields padded with blanks
// (grep's whole process, timed from its start to its end). The files are made at the first run, in a temporary
// folder, and removed at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/Pairing.h"
#include "whereused/WhereUsedFile.h"

namespace fs = std::filesystem;

namespace {

// Records of 50 bytes: a part number of 20, a key of 16, a block text of 12
// and two flag bytes; 4 million of them.
const WhereUsedGeometry kGeometry{20, 16, 12, 8};
constexpr size_t kRecords = 4'000'000;
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
      if (r % 500'000 == 7) std::snprintf(text, sizeof text, "%s", r % 2 ? kPartNumber : "c-123456");
      std::string line = text;
      record.replace(0, line.size(), line);
      const std::string key = "BG" + std::to_string(r % 9973);
      record.replace(20, key.size(), key);
      const std::string block = "Pos " + std::to_string(r % 97);
      record.replace(36, block.size(), block);
      record[48] = static_cast<char>(1 + random() % 255);
      record[49] = static_cast<char>(random() % 2);
      records << record;
      lines << Padded(line, 20) << Padded(key, 16) << Padded(block, 12) << '\n';
    }
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }
  std::string Records() const { return (m_folder / "vnw.bin").string(); }
  std::string Lines() const { return (m_folder / "vnw.txt").string(); }
  std::string Output() const { return (m_folder / "count.txt").string(); }

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

// grep's whole run, from its start to its end. Its count goes to a file:
// with its output on /dev/null grep would stop at the first match.
bool RunGrep(const std::string& lines, const std::string& output) {
  std::vector<std::string> words{"grep", "-c", "-i", "-F", kPartNumber, lines};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "grep", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void SearchPartNumberGrep(benchmark::State& state) {
  const std::string path = TheFiles().Lines();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!RunGrep(path, TheFiles().Output())) {
      state.SkipWithError("grep did not run or found nothing");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(path)));
}
BENCHMARK(SearchPartNumberGrep)->Unit(benchmark::kMillisecond)->UseManualTime();

const bool kPartNumberPaired =
    bench::Pair("200 MB where-used file, a part number", "SearchPartNumberOurs", "SearchPartNumberGrep");
const bool kWildcardPaired =
    bench::Pair("200 MB where-used file, with a wildcard", "SearchWithWildcardOurs", "SearchPartNumberGrep");

}  // namespace
