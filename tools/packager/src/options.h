// The packaging tool's command line.
#pragma once

#include "core/text.h"

struct ToolOptions {
  bool help = false;
  bool print = false;
  bool verbatim = false;
  bool replaceReadOnly = false;
  bool upgradeCodeGiven = false;
  Text upgradeCode;
  Text output;
  Text executable;
  Text settingsFile;
};

// False, with the reason, for a command line that does not say what to do.
bool ParseToolOptions(const TextList& arguments, ToolOptions& options, Text& error);

extern const char16_t kToolUsage[];
