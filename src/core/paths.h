// Rules on the launcher's own spelling of paths (Windows style, backslashes) that every layer
// uses: folders, parents and the components of a path.
#pragma once

#include "core/text.h"

// Removes the last backslash and what follows it, n times; no backslash, no change.
Text ParentPath(Text path, int n);
// The folder of a path with its trailing backslash; empty when there is no backslash.
Text FolderOf(const Text& path);
// A folder as the runtime probes expect it: ending with a backslash.
Text WithTrailingBackslash(Text folder);

// Starts with two backslashes whose third character is not "?" (\\server\share\...).
bool IsUncPath(const Text& path);
// The root ("C:", "\\server", "\\?\C:"), then each name between backslashes, empty ones
// between two backslashes included. A path from the root of the current drive (or, on a
// POSIX host, any absolute path) has the empty root, so joining the components with
// backslashes rebuilds the path, but for a trailing backslash, which adds no empty name.
TextList SplitPathComponents(const Text& path);
