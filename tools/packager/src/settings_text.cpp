// Decoding, checks and key texts for the embedded settings.
#include "settings_text.h"

#include "core/profile_text.h"

namespace {

Text At(const char* what, size_t offset) {
  return FromAscii(what) + DecimalText(static_cast<long long>(offset));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, nothing cut off.
bool FindInvalidUtf8(const ByteString& bytes, size_t from, size_t& offset) {
  size_t i = from;
  while (i < bytes.size()) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    size_t extra = lead < 0x80                    ? 0
                   : lead >= 0xC2 && lead <= 0xDF ? 1
                   : lead >= 0xE0 && lead <= 0xEF ? 2
                   : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                  : 4;
    bool valid = extra < 4 && i + extra < bytes.size();
    char32_t code = lead & (0x7F >> extra);
    for (size_t k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
      offset = i;
      return true;
    }
    i += extra + 1;
  }
  return false;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

bool FindUnpairedSurrogate(const Text& text, size_t& index) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      index = i;
      return true;
    }
  }
  return false;
}

}  // namespace

bool DecodeSettingsFile(const ByteString& bytes, Text& text, Text& error) {
  auto starts = [&](const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
  };
  if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    if (bytes.size() % 2 != 0) {
      error = u"not valid UTF-16: odd number of bytes";
      return false;
    }
    text = u"\uFEFF" + DecodeProfileBytes(bytes);
    size_t index = 0;
    if (FindUnpairedSurrogate(text, index)) {
      error = At("not valid UTF-16: unpaired surrogate at byte ", index * 2);
      return false;
    }
    return true;
  }
  bool marked = starts("\xEF\xBB\xBF");
  size_t offset = 0;
  if (FindInvalidUtf8(bytes, marked ? 3 : 0, offset)) {
    error =
        At("not valid UTF-8 (nor UTF-16 with a byte-order mark): bad sequence at byte ", offset);
    return false;
  }
  text = (marked ? u"\uFEFF" : u"") + DecodeProfileBytes(bytes);
  return true;
}

Text NormalizeSettingsText(const Text& text) {
  Text result;
  result.reserve(text.size() + text.size() / 16);
  size_t i = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      result += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      result.push_back(c);
    }
  }
  return result;
}

bool CheckUpgradeCode(const Text& code, Text& error) {
  if (code.empty()) {
    error = u"the upgrade code is empty";
    return false;
  }
  for (char16_t c : code) {
    if (c < 0x20 || c > 0x7E) {
      error =
          u"the upgrade code holds a character outside printable ASCII, which the launcher "
          u"would turn into different bytes under different code pages";
      return false;
    }
  }
  if (code.front() == u' ' || code.back() == u' ') {
    error =
        u"the upgrade code begins or ends with a space, which the settings file reader "
        u"drops";
    return false;
  }
  if (code.size() >= 2 && (code.front() == u'"' || code.front() == u'\'') &&
      code.back() == code.front()) {
    error = u"the upgrade code is in quotes, which the settings file reader drops";
    return false;
  }
  return true;
}

bool IsKeyText(const Text& text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

Text BracedGuidText(std::array<uint8_t, 16> bytes) {
  bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
  bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  Text text = u"{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += u'-';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text + u"}";
}
