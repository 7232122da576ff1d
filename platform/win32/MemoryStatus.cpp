// GlobalMemoryStatus from the kernel's figures: physical memory is the
// machine's (what is available counts as free), the page file is memory and
// swap together, the virtual space is the process's address space.
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "win32/Memory.h"

namespace {

// The lines of /proc/meminfo in bytes, by their names.
std::map<std::string, unsigned long long> MemoryInfo() {
  std::map<std::string, unsigned long long> figures;
  std::ifstream in("/proc/meminfo");
  std::string name;
  unsigned long long kilobytes;
  std::string unit;
  while (in >> name >> kilobytes) {
    std::getline(in, unit);
    if (!name.empty() && name.back() == ':') name.pop_back();
    figures[name] = kilobytes * 1024;
  }
  return figures;
}

// The bytes the process has mapped.
unsigned long long MappedBytes() {
  std::ifstream in("/proc/self/statm");
  unsigned long long pages = 0;
  in >> pages;
  return pages * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
}

unsigned long long AddressSpace() {
  constexpr unsigned long long kUserSpace = 1ULL << 47;  // the x86-64 user half
  struct rlimit limit;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < kUserSpace)
    return limit.rlim_cur;
  return kUserSpace;
}

}  // namespace

void GlobalMemoryStatus(LPMEMORYSTATUS status) {
  if (!status) return;
  auto figures = MemoryInfo();
  unsigned long long total = figures["MemTotal"];
  unsigned long long available = figures.count("MemAvailable") ? figures["MemAvailable"] : figures["MemFree"];
  if (available > total) available = total;
  unsigned long long space = AddressSpace();
  unsigned long long mapped = MappedBytes();
  status->dwLength = sizeof(MEMORYSTATUS);
  status->dwMemoryLoad = total ? static_cast<DWORD>((total - available) * 100 / total) : 0;
  status->dwTotalPhys = total;
  status->dwAvailPhys = available;
  status->dwTotalPageFile = total + figures["SwapTotal"];
  status->dwAvailPageFile = available + figures["SwapFree"];
  status->dwTotalVirtual = space;
  status->dwAvailVirtual = mapped < space ? space - mapped : 0;
}
