// Lookup in INI file text with the observable rules of the Windows private-profile functions,
// for platforms that do not have them.
#pragma once

#include "core/text.h"

// The file's bytes as text: UTF-16LE or UTF-16BE with a byte-order mark, UTF-8 otherwise.
Text DecodeProfileBytes(const ByteString& bytes);
// Text trimmed of what the private-profile functions count as blank: ASCII white space and
// Ctrl-Z.
Text TrimProfileBlanks(const Text& text);
// The lines of the first section whose name matches case-insensitively (lines end at CR or
// LF; names trimmed), each trimmed, empty ones left out, as the Windows section read gives
// them. False when the file has no such section.
bool FindProfileSection(const Text& fileText, const Text& section, TextList& lines);
// The value of the first of a section's lines whose key matches case-insensitively (the key
// runs to the first "=", trimmed; a line without "=" is a key without a value; one pair of
// surrounding quotes removed from the value). False when absent.
bool FindProfileKey(const TextList& lines, const Text& key, Text& value);
// The two above together: the value of section/key in a whole file's text.
bool FindProfileValue(const Text& fileText, const Text& section, const Text& key, Text& value);
