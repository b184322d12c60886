// UTF-16 text, the one string type of the launcher on every platform, and its small helpers.
#pragma once

#include <string>
#include <vector>

using Text = std::u16string;
using TextList = std::vector<Text>;
// Byte strings exist only at the JNI boundary (option strings, class names).
using ByteString = std::string;

// Characters the C runtime's wide classification counts as white space.
bool IsWideSpace(char16_t c);
Text Trim(const Text& text);
// ASCII-only case folding: the settings words and keys compared this way are ASCII.
bool EqualsIgnoreCase(const Text& a, const Text& b);
bool StartsWith(const Text& text, const Text& prefix);
bool EndsWith(const Text& text, char16_t c);
void ReplaceAll(Text& text, char16_t from, char16_t to);
Text FromAscii(const char* ascii);
Text FromUtf8(const ByteString& utf8);
ByteString ToUtf8(const Text& text);
Text DecimalText(long long value);
