// POSIX side of the INI file access: the file's text is looked up with the private-profile
// rules; a section reader reads it once, a single key read reads it again.
#include "platform/profile.h"

#include <errno.h>

#include <fstream>
#include <iterator>

#include "core/profile_text.h"
#include "platform/posix/posix_paths.h"

namespace os {

namespace {

// A missing or unreadable file reads as empty text.
Text ReadProfileText(const Text& path) {
  std::ifstream file(ToPosixPath(path), std::ios::binary);
  ByteString bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DecodeProfileBytes(bytes);
}

}  // namespace

uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size) {
  if (size == 0) return 0;
  Text value;
  FindProfileValue(ReadProfileText(path), section, key, value);
  size_t count = value.size() < size - 1 ? value.size() : size - 1;
  value.copy(buffer, count);
  buffer[count] = u'\0';
  return static_cast<uint32_t>(count);
}

TextList ProfileSections::Read(const Text& section) {
  if (!fileText_) fileText_ = ReadProfileText(path_);
  TextList lines;
  FindProfileSection(*fileText_, section, lines);
  return lines;
}

// The Linux host launcher writes no settings (it has no runtime-not-found dialog).
uint32_t WriteProfileString(const Text&, const Text&, const Text&, const Text&) { return ENOSYS; }

}  // namespace os
