// Win32 side of the resource access.
#include "platform/resources.h"

#include "platform/win32/win32_api.h"

namespace os {

std::u16string_view StringTableBlock(unsigned blockNumber) {
  HRSRC found = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(blockNumber), 0);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return std::u16string_view(static_cast<const char16_t*>(data),
                             SizeofResource(nullptr, found) / sizeof(char16_t));
}

}  // namespace os
