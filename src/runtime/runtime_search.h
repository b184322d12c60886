// Finding a runtime library below a runtime home, and the private runtime beside the launcher.
#pragma once

#include "core/text.h"
#include "launcher/launcher.h"

// The first existing runtime library below the home (which ends with a backslash), in the
// probe order of the type; empty when there is none. `server` tells whether it is the
// server VM.
Text FindRuntimeLibrary(const Text& home, JvmType type, bool& server);
// A runtime in the launcher's folder or its "jre\" subfolder; the home may come back empty.
bool FindPrivateRuntime(Text& home);
