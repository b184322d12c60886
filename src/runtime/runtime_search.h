// The runtime search: the remembered runtime folder, the private runtime beside the launcher
// and the registered runtimes, and what it chose.
#pragma once

#include "config/launcher_settings.h"
#include "core/text.h"
#include "platform/registry.h"
#include "runtime/search_policy.h"

class SearchObserver;

struct RuntimeChoice {
  Text runtimeLibraryPath;  // the chosen runtime library
  bool launchPaired = false;  // only the companion launcher can load it
};

// Tries the settings' JRE Path, the private runtime and the registry in both views, then asks
// the user for a runtime folder; false when none of them yields a runtime library.
bool FindRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                 RuntimeChoice& choice);
// The sources of FindRuntime, in its order, without its last resort; they print nothing. The
// observer, when given, hears what each source looked at; `executablePath` names the launcher
// whose private runtime is looked for (empty: this executable).
bool SearchRuntimeSources(const LauncherSettings& settings, const SearchPolicy& policy,
                          RuntimeChoice& choice, SearchObserver* observer,
                          const Text& executablePath = Text());

// Which registrations a registry pass reads: the classic installers' roots, or today's
// vendors' (machine-wide, then per user).
enum class RegistrySet { Classic, Vendors };
struct RegistryHit {
  Text home;            // the chosen runtime's
  bool paired = false;  // only the companion launcher can load it
};
// One pass over the registered runtimes of one registry view (`Other` is the 64-bit view for
// the 32-bit launcher, the 32-bit view for its 64-bit companion).
bool SearchRegistry(const SearchPolicy& policy, RegistrySet set, os::RegistryView view,
                    const Text& pairProduct, RegistryHit& hit,
                    SearchObserver* observer = nullptr);
// The first existing runtime library below the home (which ends with a backslash), in the
// probe order of the type; empty when there is none. `server` tells whether it is the
// server VM.
Text FindRuntimeLibrary(const Text& home, JvmType type, bool& server);
// A runtime in the launcher's folder or its "jre\" subfolder; the home may come back empty.
// An empty executable path stands for this executable.
bool FindPrivateRuntime(Text& home, const Text& executablePath = Text());
// Whether a runtime library the user named needs the companion launcher: with a companion
// configured, a library built for another machine than this launcher's.
bool InspectRuntimeLibrary(const Text& runtimeLibraryPath, const Text& pairProduct);
// A readable image built for another machine than this launcher's.
bool IsForeignLibrary(const Text& runtimeLibraryPath);
