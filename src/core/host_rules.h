// What differs between the hosts the launcher runs on: how paths are written, how path
// lists are joined, and where a Java runtime keeps its files below its home. The launcher's
// logic speaks Windows paths on every host; these rules translate at its edges.
#pragma once

#include "core/text.h"

struct HostRules {
  // Joins the entries of PATH, the class path and the library path handed to the runtime.
  char16_t listSeparator;
  // The environment variable that holds the executable search path.
  const char16_t* pathVariable;
  // Windows paths are absolute with a drive ("C:") or as UNC ("\\server"); elsewhere a
  // path is absolute when it starts at the root ("\" in the launcher's own spelling).
  bool drivePaths;
  // The separator of the host's own paths, which the launcher spells as "\".
  char16_t nativeSeparator;
  // The runtime library is <home><libraryFolder><vm kind>\<libraryName>.
  const char16_t* libraryFolder;
  const char16_t* libraryName;
  // A file every runtime carries below its home, which marks a private runtime.
  const char16_t* privateRuntimeMarker;
  // Settings files are named by swapping the executable's extension; POSIX executables
  // usually have none, so there ".ini" is appended when the file name has no dot.
  bool executablesHaveExtensions;
};

extern const HostRules kWindowsHost;
extern const HostRules kPosixHost;

bool IsAbsolutePath(const Text& path, const HostRules& host);
// The host's spelling of a path (or of a text holding paths) and back.
Text ToNativePath(Text path, const HostRules& host);
Text ToLauncherPath(Text path, const HostRules& host);
