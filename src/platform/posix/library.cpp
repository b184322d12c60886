// POSIX side of the runtime library loading.
#include "platform/library.h"

#include <dlfcn.h>

#include "platform/posix/posix_paths.h"

namespace os {

// Global symbols, as a runtime expects of the host that loads it.
void* LoadLibraryForGood(const Text& path) {
  return dlopen(ToPosixPath(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
}

void* LibrarySymbol(void* library, const char* name) { return dlsym(library, name); }

}  // namespace os
