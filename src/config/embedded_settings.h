// The settings text an executable may carry in its own resources, enciphered.
#pragma once

#include "core/text.h"

// The embedded settings text selected by the upgrade code; empty when the executable has none.
Text GetEmbeddedSettingsText(const Text& upgradeCode);
