// File-system queries and folder creation used by the settings, search and hosting code.
// Paths are Windows paths (backslashes); the POSIX side maps them at this boundary.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace os {

// True when a first-file search for the exact path finds an entry (nothing is opened).
bool FindsEntry(const Text& path);

// Names (not paths) of the entries that match a pattern, in the order the file system
// returns them; "*" and "?" match in the last component.
TextList FindEntryNames(const Text& pattern);

// Creates one folder; 0 on success, otherwise the error code (183 when it already exists).
uint32_t CreateFolder(const Text& path);

constexpr uint32_t kErrorAlreadyExists = 183;

}  // namespace os
