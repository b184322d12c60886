// Private-profile lookup rules on INI file text.
#include "core/profile_text.h"

namespace {

// The private-profile functions count ASCII white space and Ctrl-Z as blank; the other
// Unicode spaces stay part of names and values.
bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A; }

Text Unquote(const Text& value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

Text TrimProfileBlanks(const Text& text) { return TrimIf(text, IsBlank); }

Text DecodeProfileBytes(const ByteString& bytes) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  bool littleEndian = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  bool bigEndian = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
  if (!littleEndian && !bigEndian) {
    bool bom = bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF;
    return FromUtf8(bom ? bytes.substr(3) : bytes);
  }
  Text text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(littleEndian ? byte(i) | (byte(i + 1) << 8)
                                                      : (byte(i) << 8) | byte(i + 1)));
  }
  return text;
}

bool FindProfileSection(const Text& fileText, const Text& section, TextList& lines) {
  const Text wanted = TrimProfileBlanks(section);
  bool inSection = false;
  size_t at = 0;
  while (at < fileText.size()) {
    // A carriage return ends a line as a line feed does.
    size_t end = fileText.find_first_of(u"\r\n", at);
    if (end == Text::npos) end = fileText.size();
    Text line = TrimProfileBlanks(fileText.substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    // A header runs to the line's last "]"; a "[" without one starts an ordinary line.
    size_t close = line.rfind(u']');
    if (line.front() == u'[' && close != Text::npos) {
      // Only the first section of a name is read, as the Windows functions do.
      if (inSection) return true;
      inSection = EqualsIgnoreCase(TrimProfileBlanks(line.substr(1, close - 1)), wanted);
      continue;
    }
    if (inSection) lines.push_back(std::move(line));
  }
  return inSection;
}

bool FindProfileKey(const TextList& lines, const Text& key, Text& value) {
  const Text wanted = TrimProfileBlanks(key);
  for (const Text& line : lines) {
    // A line without "=" is a key without a value, and it hides later lines of its key.
    size_t equals = line.find(u'=');
    if (!EqualsIgnoreCase(TrimProfileBlanks(line.substr(0, equals)), wanted)) continue;
    value = equals == Text::npos ? Text() : Unquote(TrimProfileBlanks(line.substr(equals + 1)));
    return true;
  }
  return false;
}

bool FindProfileValue(const Text& fileText, const Text& section, const Text& key, Text& value) {
  TextList lines;
  return FindProfileSection(fileText, section, lines) && FindProfileKey(lines, key, value);
}
