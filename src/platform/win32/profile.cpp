// Win32 side of the INI file access: the private-profile functions themselves.
#include "platform/profile.h"

#include <cwchar>
#include <vector>

#include "core/profile_text.h"
#include "platform/win32/win32_api.h"

// <windows.h> names the win.ini writer WriteProfileString; ours is another function.
#undef WriteProfileString

namespace os {

uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size) {
  return GetPrivateProfileStringW(Wide(section), Wide(key), L"",
                                  reinterpret_cast<wchar_t*>(buffer), size, Wide(path));
}

// The section read compares the name as written, where the key read trims it first. A cut
// section comes back as size - 2 characters, so the buffer doubles until the lines fit.
TextList ProfileSections::Read(const Text& section) {
  const Text name = TrimProfileBlanks(section);
  std::vector<wchar_t> buffer;
  for (uint32_t size = 4096;; size *= 2) {
    buffer.assign(size, L'\0');
    uint32_t count = GetPrivateProfileSectionW(Wide(name), buffer.data(), size, Wide(path_));
    if (count < size - 2 || size > 0x40000000u) break;
  }
  TextList lines;
  for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) {
    lines.emplace_back(reinterpret_cast<const char16_t*>(line));
  }
  return lines;
}

uint32_t WriteProfileString(const Text& section, const Text& key, const Text& value,
                            const Text& path) {
  return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(path))
             ? 0
             : GetLastError();
}

}  // namespace os
