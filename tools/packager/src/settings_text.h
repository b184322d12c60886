// The texts the tool writes into an executable: the vendor's settings file decoded and
// checked, the upgrade code checked, and the key text made from random bytes.
#pragma once

#include <array>
#include <cstdint>

#include "core/text.h"

// UTF-16 (LE or BE) with a byte-order mark, or UTF-8 with or without one. The text keeps a
// leading U+FEFF when the file had a mark. False, with the reason, when the bytes are not
// valid text in their encoding.
bool DecodeSettingsFile(const ByteString& bytes, Text& text, Text& error);
// Every line end (CR LF, LF or CR alone) becomes CR LF, the only one the launcher's parser
// knows; a leading U+FEFF is dropped.
Text NormalizeSettingsText(const Text& text);
// The launcher reads the upgrade code from its settings file and hands it to the cipher in
// the ANSI code page of the machine it runs on; only a code that survives both unchanged on
// every machine is accepted. False, with the reason, otherwise.
bool CheckUpgradeCode(const Text& code, Text& error);
// A settings key as this tool makes them: printable ASCII only, so that it converts to the
// same bytes under any code page. Also how a deciphered key is recognised as genuine.
bool IsKeyText(const Text& text);
// Sixteen random bytes as a version-4 GUID in braces: 38 characters.
Text BracedGuidText(std::array<uint8_t, 16> bytes);
