// Loading a DLL from the system folder.
#include "platform/win32/system_library.h"

#include "core/text.h"

namespace os {

// Two threads that ask at once both load it; the loader counts references, so the module is
// the same and the extra reference is harmless.
HMODULE SystemLibrary::Module() {
  if (HMODULE loaded = module_.load()) return loaded;
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  Text path = FromWide(folder, length) + u'\\' + FromWide(name_);
  // The library's own imports are then looked for beside it, in the system folder, too.
  HMODULE module = LoadLibraryExW(Wide(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module) module_.store(module);
  return module;
}

}  // namespace os
