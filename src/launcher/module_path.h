// The executable's own path, which settings, runtime search and VM options all start from.
#pragma once

#include "core/text.h"

// The executable's full path; reports message 202 with 208 when it cannot be had.
bool GetModulePath(Text& path);
