// The viewer's internet server on the sample catalogue, in-process: a
// client leaves its requests one after the other, the server takes each up
// and answers it with the key's files. Its polling pauses pass on the test
// clock, so the time is what answering takes (target at most 50 ms a request).
#include <benchmark/benchmark.h>

#include <vector>

#include "CatalogueInstallation.h"
#include "Main/tests/InternetScriptedClient.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"

namespace {

constexpr int kRequestsPerRun = 20;

void BM_InternetServerAnswersARequest(benchmark::State& state) {
  layer::testing::TempFolder user;
  layer::testing::TempFolder exchange;
  varno::catalogue::Installation installation(VARNO_CATALOGUE_DIR, user.Path());
  if (!installation.Load()) {
    state.SkipWithError("the sample catalogue did not open");
    return;
  }
  layer::ManualClock clock;
  layer::ScopedClock scoped(clock);
  theGlobals.m_internet_mode = kInternetServer;
  theGlobals.m_exchange_dir_server = (exchange.Path() + "/").c_str();
  const std::vector<varno::testing::Request> requests(kRequestsPerRun, {true, "MOT"});
  const std::vector<varno::testing::Outcome> answered(kRequestsPerRun, {true, true});
  for (auto _ : state) {
    varno::testing::ScriptedClient client(installation.app, exchange.Path() + "/", requests);
    installation.app.m_internet_wait = 1;
    installation.app.RunInternetServer();
    if (client.outcomes != answered) {
      state.SkipWithError("a request was not answered");
      break;
    }
  }
  state.counters["per_request"] =
      benchmark::Counter(static_cast<double>(kRequestsPerRun), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
  theGlobals.m_internet_mode = kInternetNormal;
  theGlobals.m_exchange_dir_server = "C:\\IV4\\";
}
BENCHMARK(BM_InternetServerAnswersARequest)->Unit(benchmark::kMillisecond);

}  // namespace
