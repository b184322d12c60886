// Splitting the "Virtual Machine Parameters" setting into parameters: spaces separate them
// except inside double quotes, and the quotes themselves are removed.
#pragma once

#include <cstddef>

#include "core/text.h"

// Index of the first space at or after start that is outside double quotes, or the length.
size_t FindParameterEnd(const Text& value, size_t start);
// Replaces each quoted span by its inside; a doubled closing quote leaves one quote behind.
void RemoveQuotes(Text& parameter);
// The parameters in order, quotes still in place; runs of spaces only separate.
TextList SplitVmParameters(const Text& value);
