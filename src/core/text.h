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
bool IsAsciiDigit(char16_t c);

// The text without the characters at either end for which `isBlank` holds; each reader of
// text names its own blanks.
template <typename BlankTest>
Text TrimIf(const Text& text, BlankTest isBlank) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}
// Trimmed of white space as the C runtime classifies it.
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

// Clears the list and fills it with the pieces between occurrences of the separator.
void SplitList(const Text& text, const Text& separator, TextList& pieces);
