// %NAME% references in settings values, resolved against variables the caller looks up.
#pragma once

#include <functional>

#include "core/text.h"

// Finds a variable's value; false when the variable is not set.
using VariableLookup = std::function<bool(const Text& name, Text& value)>;

// Replaces each %NAME% with its variable's value. Neither the text nor a value has a length
// limit: a class path may be far longer than any command line. An unknown or empty name stays
// as written, and its closing sign may open the next reference; values are not scanned again.
Text ExpandReferences(const Text& text, const VariableLookup& lookup);
