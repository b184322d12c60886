// Loading the Java runtime library and finding its entry points.
#pragma once

#include "core/text.h"

namespace os {

// Loads the library for the rest of the process's life: a Java VM cannot be unloaded, so no
// owner ever releases it. Null on failure, with the reason in LastError.
void* LoadLibraryForGood(const Text& path);
// The address of an exported symbol, or null with the reason in LastError.
void* LibrarySymbol(void* library, const char* name);

}  // namespace os
