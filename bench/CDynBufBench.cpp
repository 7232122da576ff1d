// Building a tag stream byte by byte and in records, with the default step and
// with the large step that stream builders set.
#include <benchmark/benchmark.h>

#include "foundation/CDynBuf.h"

static void AppendRecords(benchmark::State& state) {
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    CDynBuf stream;
    stream.SetGrowBy(step);
    for (int i = 0; i < 10000; ++i) {
      stream.Append('\0');
      stream.Append(static_cast<char>(i % 170));
      stream.AppendShort(static_cast<unsigned short>(i));
      stream.Append("part number", 11);
    }
    benchmark::DoNotOptimize(stream.GetData());
  }
}
BENCHMARK(AppendRecords)->Arg(512)->Arg(65536);

static void CompareKeys(benchmark::State& state) {
  CDynBuf key;
  key = "ENGINE-ASSEMBLY-0042";
  for (auto _ : state) benchmark::DoNotOptimize(key.Compare("ENGINE-ASSEMBLY-0043"));
}
BENCHMARK(CompareKeys);
