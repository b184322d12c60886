// The runtime search: the remembered runtime folder, the private runtime beside the launcher
// and the registered runtimes, and what it chose.
#pragma once

#include "config/launcher_settings.h"
#include "core/text.h"
#include "platform/registry.h"
#include "runtime/search_policy.h"

struct RuntimeChoice {
  Text runtimeLibraryPath;  // the chosen runtime library
  bool launchPaired = false;  // only the companion launcher can load it
};

// Tries the settings' JRE Path, the private runtime and the registry in both views, then asks
// the user for a runtime folder; false when none of them yields a runtime library.
bool FindRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                 RuntimeChoice& choice);
// One pass over the registered runtimes of one registry view (`Other` is the 64-bit view for
// the 32-bit launcher, the 32-bit view for its 64-bit companion); `home` is the chosen one's.
bool SearchRegistry(const SearchPolicy& policy, os::RegistryView view, Text& home);
// The first existing runtime library below the home (which ends with a backslash), in the
// probe order of the type; empty when there is none. `server` tells whether it is the
// server VM.
Text FindRuntimeLibrary(const Text& home, JvmType type, bool& server);
// A runtime in the launcher's folder or its "jre\" subfolder; the home may come back empty.
bool FindPrivateRuntime(Text& home);
// Whether a runtime library the user named needs the companion launcher: with a companion
// configured, a library built for another machine than this launcher's.
bool InspectRuntimeLibrary(const Text& runtimeLibraryPath, const Text& pairProduct);
