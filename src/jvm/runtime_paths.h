// The paths the launcher hands to a runtime and its program: the folders derived from the
// runtime library, the class path entries, the library path and the search path.
#pragma once

#include "core/host_rules.h"
#include "core/text.h"

// An absolute class path entry without "*" is taken as written; every other entry names
// files to look for.
bool IsSearchedClassPathEntry(const Text& entry, const HostRules& host);

// What to look for on disk for a searched entry, and the folder to put before each name found.
struct ClassPathSearch {
  Text pattern;
  Text folder;
};
ClassPathSearch ClassPathSearchFor(const Text& entry, const Text& executableFolder,
                                   const HostRules& host);

// The library path before environment expansion: the configured folders, the executable's
// folder, the working folder, the previous search path and the runtime's lib folder.
Text LibraryPathText(const Text& libraryPath, const Text& executableFolder,
                     const Text& runtimeLibFolder, const HostRules& host);
// The search path before environment expansion: the configured folders, the previous
// search path and the runtime's bin folder.
Text SearchPathText(const Text& systemPath, const Text& runtimeBinFolder, const HostRules& host);
