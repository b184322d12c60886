// Win32 side of the INI file access: the private-profile functions themselves.
#include "platform/profile.h"

#include "platform/win32/win32_api.h"

// <windows.h> names the win.ini writer WriteProfileString; ours is another function.
#undef WriteProfileString

namespace os {

uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size) {
  return GetPrivateProfileStringW(Wide(section), Wide(key), L"",
                                  reinterpret_cast<wchar_t*>(buffer), size, Wide(path));
}

uint32_t WriteProfileString(const Text& section, const Text& key, const Text& value,
                            const Text& path) {
  return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(path))
             ? 0
             : GetLastError();
}

}  // namespace os
