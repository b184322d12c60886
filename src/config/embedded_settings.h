// The settings text an executable may carry in its own resources, enciphered.
#pragma once

#include "core/text.h"

// Resource 9000 deciphered under the upgrade code gives the key text, resource 8000
// deciphered under that key the settings text; empty when the executable carries no 8000.
// Every reader that layers settings calls this before building its LayeredSettings.
Text GetEmbeddedSettingsText(const Text& upgradeCode);
