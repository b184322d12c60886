// Win32 side of the file-system queries.
#include "platform/files.h"

#include "platform/win32/unique_handle.h"

namespace os {

bool FindsEntry(const Text& path) {
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW(Wide(path), &data));
  return find.IsValid();
}

TextList FindEntryNames(const Text& pattern) {
  TextList names;
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW(Wide(pattern), &data));
  if (!find) return names;
  do {
    names.push_back(FromWide(data.cFileName));
  } while (FindNextFileW(find.Get(), &data));
  return names;
}

uint32_t CreateFolder(const Text& path) {
  return CreateDirectoryW(Wide(path), nullptr) ? 0 : GetLastError();
}

}  // namespace os
