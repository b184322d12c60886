// Lookup in INI file text with the observable rules of the Windows private-profile functions,
// for platforms that do not have them.
#pragma once

#include "core/text.h"

// The file's bytes as text: UTF-16LE or UTF-16BE with a byte-order mark, UTF-8 otherwise.
Text DecodeProfileBytes(const ByteString& bytes);
// The first key of the first section that match case-insensitively (lines end at CR or LF;
// names and value trimmed of ASCII blanks; one pair of surrounding quotes removed from the
// value). False when absent.
bool FindProfileValue(const Text& fileText, const Text& section, const Text& key, Text& value);
