// Helpers on UTF-16 text shared by every subsystem.
#include "core/text.h"

// The Windows C runtime counts the Unicode spaces as white space too, but not U+0085.
bool IsWideSpace(char16_t c) {
  if (c == u' ' || (c >= u'\t' && c <= u'\r')) return true;
  if (c < 0xA0) return false;
  return c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

Text Trim(const Text& text) { return TrimIf(text, IsWideSpace); }

static char16_t FoldAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsIgnoreCase(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWith(const Text& text, const Text& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const Text& text, char16_t c) {
  return !text.empty() && text.back() == c;
}

void ReplaceAll(Text& text, char16_t from, char16_t to) {
  for (char16_t& c : text) {
    if (c == from) c = to;
  }
}

Text FromAscii(const char* ascii) {
  Text text;
  while (*ascii) text.push_back(static_cast<unsigned char>(*ascii++));
  return text;
}

Text FromUtf8(const ByteString& utf8) {
  Text text;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = extra >= 0 && i + extra < utf8.size();
    for (int k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code > 0x10FFFF) {
      text.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(code));
    }
  }
  return text;
}

ByteString ToUtf8(const Text& text) {
  ByteString utf8;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (code < 0x80) {
      utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (code >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (code >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return utf8;
}

Text DecimalText(long long value) {
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  Text digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) digits.insert(digits.begin(), u'-');
  return digits;
}

void SplitList(const Text& text, const Text& separator, TextList& pieces) {
  pieces.clear();
  if (text.empty()) return;
  size_t pos = 0;
  for (;;) {
    size_t found = separator.empty() ? Text::npos : text.find(separator, pos);
    if (found == Text::npos) break;
    pieces.push_back(text.substr(pos, found - pos));
    pos = found + separator.size();
    if (pos >= text.size()) return;
  }
  pieces.push_back(pos == 0 ? text : text.substr(pos));
}
