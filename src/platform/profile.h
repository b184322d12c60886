// Reading and writing keys of INI files with the observable rules of the Windows
// private-profile functions.
#pragma once

#include <cstdint>
#include <optional>

#include "core/text.h"

namespace os {

// Copies the value of section/key (empty when absent) into buffer, cut to size - 1
// characters and terminated; returns the number of characters copied.
uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size);

// One INI file read a section at a time with the system's rules. Windows reads each section
// through its private-profile functions; elsewhere the file is read once, at the first
// section asked for, and kept.
class ProfileSections {
 public:
  explicit ProfileSections(Text path) : path_(std::move(path)) {}
  // The lines of the first section of that name (none when the file holds no such section),
  // each "key=value" or a key alone, trimmed, quotes kept, in file order. The Windows
  // functions leave out comment lines (a key that starts with ";").
  TextList Read(const Text& section);

 private:
  Text path_;
  std::optional<Text> fileText_;  // where the file is read whole
};

// 0 on success, otherwise the error code.
uint32_t WriteProfileString(const Text& section, const Text& key, const Text& value,
                            const Text& path);

}  // namespace os
