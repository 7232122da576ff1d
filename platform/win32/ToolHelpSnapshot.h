// The snapshot behind a tool-help handle: what CreateToolhelp32Snapshot took
// and how far each walk has come.
#pragma once

#include <vector>

#include "win32/KernelObjects.h"
#include "win32/ProcessTable.h"

namespace layer {

class ToolHelpSnapshot : public KernelObject {
 public:
  std::vector<ProcessFacts> processes;
  size_t nextProcess = 0;
  DWORD processId = 0;  // of the modules and heaps
  std::vector<ModuleFacts> modules;
  size_t nextModule = 0;
  std::vector<ULONG_PTR> heaps;
  size_t nextHeap = 0;
};

// Fills the module and heap lists that flags ask for; false (with the last
// error set) when the process cannot be read.
bool TakeModulesAndHeaps(DWORD flags, DWORD processId, ToolHelpSnapshot& snapshot);

}  // namespace layer
