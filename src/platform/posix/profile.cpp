// POSIX side of the INI file access: the file is read whole at every call and looked up with
// the private-profile rules, so changes between two reads are seen.
#include "platform/profile.h"

#include <errno.h>

#include <fstream>
#include <iterator>

#include "core/profile_text.h"
#include "platform/posix/posix_paths.h"

namespace os {

uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size) {
  if (size == 0) return 0;
  std::ifstream file(ToPosixPath(path), std::ios::binary);
  ByteString bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  Text value;
  FindProfileValue(DecodeProfileBytes(bytes), section, key, value);
  size_t count = value.size() < size - 1 ? value.size() : size - 1;
  value.copy(buffer, count);
  buffer[count] = u'\0';
  return static_cast<uint32_t>(count);
}

// The Linux host launcher writes no settings (it has no runtime-not-found dialog).
uint32_t WriteProfileString(const Text&, const Text&, const Text&, const Text&) { return ENOSYS; }

}  // namespace os
