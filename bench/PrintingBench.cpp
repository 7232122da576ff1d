// Parsing a long script of DATA FRAME records into the form model.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "VodContext.h"
#include "VodInterpreter.h"
#include "VodSettings.h"

namespace {

std::string FormFile() {
  std::string bytes = "bench form\x1A";
  for (unsigned word : {198u, 1u, 4u}) bytes += {static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
  for (const char* name : {"POS", "TEXT", "QTY"}) {
    std::string item(198, '\0');
    item[136] = 5;
    item.replace(146, 5, "Arial");
    item[156] = 10;
    item.replace(158, std::strlen(name), name);
    bytes += item;
  }
  return bytes;
}

// 10 000 lines: a USE, then DATA FRAME blocks of 40 records with three
// columns and their terminator lines.
std::string Script() {
  std::string script = "USE FORM bench\n";
  int lines = 1;
  for (int block = 0; lines + 5 <= 10000; ++block) {
    script += "DATA FRAME POS (TEXT)TEXT QTY BEGIN\n";
    ++lines;
    for (int record = 0; record < 40 && lines + 4 <= 10000; ++record) {
      script += std::to_string(block * 40 + record) + "\nHexagon screw M8 x 40 DIN 933   \n" +
                std::to_string(record % 7 + 1) + "\n";
      lines += 3;
    }
    script += "END\n";
    ++lines;
  }
  for (; lines < 10000; ++lines) script += "REM\n";
  return script;
}

void ParseDataScript(benchmark::State& state) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "varno-printing-bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "bench.frm", std::ios::binary) << FormFile();
  std::ofstream(folder / "job.vod", std::ios::binary) << Script();
  std::ofstream(folder / "bench.ini", std::ios::binary) << "[VOD]\r\n";

  vod::ContextScope context;
  context->iniPath = (folder / "bench.ini").string();
  for (auto _ : state) {
    vod::LoadSettings(*context.get(), nullptr);
    vod::VodInterpreter interpreter(*context.get());
    if (!interpreter.OpenJobFile((folder / "job.vod").string())) {
      state.SkipWithError("script not opened");
      break;
    }
    int result = interpreter.RunStatements();
    interpreter.CloseJobFile();
    if (result != 3) {
      state.SkipWithError(context->lastError.c_str());
      break;
    }
    benchmark::DoNotOptimize(context->model.HighestRow());
    state.PauseTiming();
    context->EndJob();
    state.ResumeTiming();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(ParseDataScript)->Unit(benchmark::kMillisecond);

}  // namespace
