// Win32 side of the runtime library loading.
#include "platform/library.h"

#include "platform/win32/win32_api.h"

namespace os {

uint32_t LoadLibraryForGood(const Text& path, void*& library) {
  library = reinterpret_cast<void*>(LoadLibraryW(Wide(path)));
  return library ? 0 : GetLastError();
}

uint32_t LibrarySymbol(void* library, const char* name, void*& symbol) {
  symbol = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
  return symbol ? 0 : GetLastError();
}

}  // namespace os
