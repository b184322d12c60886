// Win32 side of the runtime library loading.
#include "platform/library.h"

#include "platform/win32/win32_api.h"

namespace os {

void* LoadLibraryForGood(const Text& path) {
  return reinterpret_cast<void*>(LoadLibraryW(Wide(path)));
}

void* LibrarySymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

}  // namespace os
