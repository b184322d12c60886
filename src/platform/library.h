// Loading the Java runtime library and finding its entry points.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace os {

// Loads the library for the rest of the process's life: a Java VM cannot be unloaded, so no
// owner ever releases it. 0 on success, otherwise the error code.
uint32_t LoadLibraryForGood(const Text& path, void*& library);
// The address of an exported symbol; 0 on success, otherwise the error code.
uint32_t LibrarySymbol(void* library, const char* name, void*& symbol);

}  // namespace os
