// The engine's hot paths while a key is laid out and a link is followed: a
// text expression of 20 operands, and an assignment list of 50 statements.
#include <benchmark/benchmark.h>

#include <string>

#include "Main/CDynLog.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"

namespace {

struct Engine {
  Engine() {
    theGlobals.m_pvar = new CWV4Var;
    theGlobals.m_pinterp = new CWV4Db;
    theGlobals.m_phistory = new CDynLog;
    for (int i = 0; i < 40; ++i) {
      theGlobals.m_pvar->SetVar(("TEXT" + std::to_string(i)).c_str(), VarValue::Text("some text"), VAR_CHAR);
      theGlobals.m_pvar->SetVar(("NUM" + std::to_string(i)).c_str(), VarValue::Long(i), VAR_LONG);
    }
  }
};

void AppendVariable(CDynBuf& code, const std::string& name) {
  code.Append('\0');
  code.Append('A');
  code.Append(name.c_str());
  code.Append('\0');
  code.Append('\x40');
}

// Literals and variables alternating, joined by '+'.
void EvalString20(benchmark::State& state) {
  static Engine engine;
  CDynBuf expr;
  for (int i = 0; i < 20; ++i) {
    if (i > 0) expr.Append('+');
    if (i % 2 == 0) expr.Append("\"literal text\"");
    else AppendVariable(expr, "TEXT" + std::to_string(i));
  }
  CString result;
  for (auto _ : state) {
    theGlobals.m_pinterp->EvalString(expr, result, FALSE, FALSE, nullptr);
    benchmark::DoNotOptimize(result.GetLength());
  }
}
BENCHMARK(EvalString20);

// What a link with its saved variables runs: texts, numbers and sums.
void ExecAssignments50(benchmark::State& state) {
  static Engine engine;
  CDynBuf list;
  for (int i = 0; i < 50; ++i) {
    const std::string index = std::to_string(i % 40);
    list.Append('\0');
    list.Append(i % 2 == 0 ? 'N' : 'O');
    list.Append(((i % 2 == 0 ? "TEXT" : "NUM") + index).c_str());
    list.Append('\0');
    list.Append('C');
    if (i % 2 == 0) {
      list.Append("\"A-\"");
      AppendVariable(list, "NUM" + index);
    } else {
      AppendVariable(list, "NUM" + index);
      list.Append("+1");
    }
    list.Append('\0');
    list.Append('[');
  }
  for (auto _ : state) benchmark::DoNotOptimize(theGlobals.m_pinterp->ExecAssignments(list));
}
BENCHMARK(ExecAssignments50);

}  // namespace
