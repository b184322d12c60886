// Private-profile lookup rules on INI file text.
#include "core/profile_text.h"

namespace {

// The private-profile functions count ASCII white space and Ctrl-Z as blank; the other
// Unicode spaces stay part of names and values.
bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A; }

Text TrimBlanks(const Text& text) { return TrimIf(text, IsBlank); }

Text Unquote(const Text& value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

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

bool FindProfileValue(const Text& fileText, const Text& section, const Text& key, Text& value) {
  const Text wantedSection = TrimBlanks(section);
  const Text wantedKey = TrimBlanks(key);
  bool inSection = false;
  size_t at = 0;
  while (at < fileText.size()) {
    // A carriage return ends a line as a line feed does.
    size_t end = fileText.find_first_of(u"\r\n", at);
    if (end == Text::npos) end = fileText.size();
    Text line = TrimBlanks(fileText.substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    // A header runs to the line's last "]"; a "[" without one starts an ordinary line.
    size_t close = line.rfind(u']');
    if (line.front() == u'[' && close != Text::npos) {
      // Only the first section of a name is read, as the Windows functions do.
      if (inSection) return false;
      inSection = EqualsIgnoreCase(TrimBlanks(line.substr(1, close - 1)), wantedSection);
      continue;
    }
    if (!inSection) continue;
    // A line without "=" is a key without a value, and it hides later lines of its key.
    size_t equals = line.find(u'=');
    if (!EqualsIgnoreCase(TrimBlanks(line.substr(0, equals)), wantedKey)) continue;
    value = equals == Text::npos ? Text() : Unquote(TrimBlanks(line.substr(equals + 1)));
    return true;
  }
  return false;
}
