// The memory figures percentage sizes refer to.
#pragma once

#include "jvm/memory_options.h"

namespace os {

// Total physical memory and the process's available address space, as the process sees
// them at its own width.
MemoryFigures CurrentMemoryFigures();

}  // namespace os
