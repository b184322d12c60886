// The memory figures percentage sizes refer to.
#pragma once

#include <cstdint>

// The two figures a percentage can refer to, in bytes, at the launcher's own width.
struct MemoryFigures {
  uint64_t totalPhysical = 0;
  uint64_t availableVirtual = 0;
};

namespace os {

// Total physical memory and the process's available address space, as the process sees
// them at its own width.
MemoryFigures CurrentMemoryFigures();

}  // namespace os
