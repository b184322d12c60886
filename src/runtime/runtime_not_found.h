// The last step of the runtime search: asking the user for an installed runtime's folder, and
// remembering the folder picked.
#pragma once

#include "config/launcher_settings.h"
#include "core/text.h"
#include "runtime/runtime_search.h"
#include "runtime/search_policy.h"

// Shows the runtime-not-found dialog. True after OK, with the picked runtime in `choice` and
// its folder remembered as JRE Path; false after Cancel. Where the dialog cannot be shown its
// message is printed as an error and the answer is false.
bool AskForRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                   RuntimeChoice& choice);

// Message 206 (a server VM is required) or 207, naming the versions that fit.
Text RuntimeNotFoundMessage(const SearchPolicy& policy);

// Takes the runtime library the user's folder holds, and writes the folder (ending with a
// backslash) as JRE Path where the next start reads it: the per-user settings files, or in
// service mode the settings files beside the executables; the companion's too when there is
// one. A failed write is not reported: this start still runs with the runtime.
void AcceptRuntimeFolder(const LauncherSettings& settings, const Text& folder,
                         const Text& library, RuntimeChoice& choice);
