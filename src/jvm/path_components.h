// The root and folder names of a Windows path, for creating the folders on the way to a file.
#pragma once

#include "core/text.h"

// Starts with two backslashes whose third character is not "?" (\\server\share\...).
bool IsUncPath(const Text& path);
// The root ("C:", "\\server", "\\?\C:"), then each name between backslashes, empty ones
// between two backslashes included. A path from the root of the current drive (or, on a
// POSIX host, any absolute path) has the empty root, so joining the components with
// backslashes rebuilds the path.
TextList SplitPathComponents(const Text& path);
