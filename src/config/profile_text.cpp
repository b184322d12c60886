// Private-profile lookup rules on INI file text.
#include "config/profile_text.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

Text TrimBlanks(const Text& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

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
  bool sectionSeen = false;
  size_t at = 0;
  while (at <= fileText.size()) {
    size_t end = fileText.find(u'\n', at);
    if (end == Text::npos) end = fileText.size();
    Text line = fileText.substr(at, end - at);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    at = end + 1;
    Text trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == u'[') {
      // Only the first section of a name is read, as the Windows functions do.
      if (inSection) return false;
      size_t close = trimmed.find(u']');
      Text name = TrimBlanks(trimmed.substr(1, close == Text::npos ? Text::npos : close - 1));
      inSection = !sectionSeen && EqualsIgnoreCase(name, wantedSection);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    size_t equals = trimmed.find(u'=');
    if (equals == Text::npos) continue;
    if (EqualsIgnoreCase(TrimBlanks(trimmed.substr(0, equals)), wantedKey)) {
      value = Unquote(TrimBlanks(trimmed.substr(equals + 1)));
      return true;
    }
  }
  return false;
}
