// The launcher's logic speaks Windows paths; on POSIX they are mapped at the OS boundary.
#pragma once

#include "core/text.h"

// Backslashes become slashes, and the text becomes UTF-8.
ByteString ToPosixPath(const Text& path);
// Slashes become backslashes.
Text FromPosixPath(const ByteString& path);
