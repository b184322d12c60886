// Writing settings into a launcher executable as its embedded layer, and reading them back.
#pragma once

#include "core/text.h"

// The executable with RCDATA 8000 (the settings text, UTF-16LE, enciphered under the key
// text) and RCDATA 9000 (the key text, UTF-16LE, enciphered under the upgrade code), both in
// the neutral language and replacing any earlier copy. False, with the reason, when the
// executable cannot take them.
bool EmbedSettings(const ByteString& executable, const Text& settingsText, const Text& upgradeCode,
                   const Text& keyText, ByteString& result, Text& error);

// The settings text the launcher would find under this upgrade code. False, with the reason,
// when the executable carries none or the upgrade code does not open them.
bool ReadEmbeddedSettings(const ByteString& executable, const Text& upgradeCode, Text& settingsText,
                          Text& error);
