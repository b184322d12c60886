// POSIX side of the memory figures: physical pages, and the address space left below the
// process's limit (the 47-bit user space of x86-64 when no limit is set).
#include "platform/memory.h"

#include <stdio.h>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/posix/unique_handle.h"

namespace os {

MemoryFigures CurrentMemoryFigures() {
  uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  MemoryFigures figures;
  figures.totalPhysical = static_cast<uint64_t>(sysconf(_SC_PHYS_PAGES)) * page;
  uint64_t addressSpace = uint64_t{1} << 47;
  rlimit limit;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      limit.rlim_cur < addressSpace) {
    addressSpace = limit.rlim_cur;
  }
  unsigned long long usedPages = 0;
  FileStream statm(fopen("/proc/self/statm", "r"));
  if (statm && fscanf(statm.Get(), "%llu", &usedPages) != 1) usedPages = 0;
  uint64_t used = usedPages * page;
  figures.availableVirtual = used < addressSpace ? addressSpace - used : 0;
  return figures;
}

}  // namespace os
