// POSIX side of the runtime library loading.
#include "platform/library.h"

#include <dlfcn.h>
#include <errno.h>

#include "platform/posix/posix_paths.h"

namespace os {

// Global symbols, as a runtime expects of the host that loads it.
// The loader gives its reasons as text (dlerror); errno is the code that comes with them.
uint32_t LoadLibraryForGood(const Text& path, void*& library) {
  library = dlopen(ToPosixPath(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
  return library ? 0 : static_cast<uint32_t>(errno);
}

uint32_t LibrarySymbol(void* library, const char* name, void*& symbol) {
  symbol = dlsym(library, name);
  return symbol ? 0 : static_cast<uint32_t>(errno);
}

}  // namespace os
