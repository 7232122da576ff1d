#include "bench/Pairing.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <vector>

extern char** environ;

namespace bench {
namespace {

struct Pairing {
  std::string what, ours, peer;
};

std::vector<Pairing>& Pairings() {
  static std::vector<Pairing> pairings;
  return pairings;
}

// Shows the table as usual and keeps each benchmark's real time per
// iteration, in seconds, for the ratios: with repetitions, their mean.
class PairingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (run.error_occurred || (run.run_type != Run::RT_Iteration && !mean)) continue;
      m_seconds[run.run_name.function_name] =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
  }

  void PrintRatios() const {
    if (Pairings().empty()) return;
    std::printf("\nPairings (our time / the peer's, the same work on the same input):\n");
    for (const Pairing& p : Pairings()) {
      const auto ours = m_seconds.find(p.ours), peer = m_seconds.find(p.peer);
      if (ours == m_seconds.end() || peer == m_seconds.end() || peer->second <= 0) {
        std::printf("  %-34s not measured\n", p.what.c_str());
        continue;
      }
      std::printf("  %-34s %10.3f ms / %10.3f ms = %.3f\n", p.what.c_str(), ours->second * 1e3, peer->second * 1e3,
                  ours->second / peer->second);
    }
  }

 private:
  std::map<std::string, double> m_seconds;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

}  // namespace

bool Pair(const std::string& what, const std::string& ours, const std::string& peer) {
  Pairings().push_back({what, ours, peer});
  return true;
}

double ProgramSeconds(const char* program, const std::initializer_list<std::string>& arguments,
                      const std::string& output) {
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // A program whose output goes nowhere may stop early (grep counting), so
  // a count that is wanted goes to a file.
  if (output.empty()) posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  else posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, program, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::PairingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
