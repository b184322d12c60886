// The link colours a user may have set for the browser.
#include "ui/anchor_colour.h"

#include <cstddef>

namespace {

// The registry read takes at most this many units, the terminating NUL included.
const size_t kMaxStoredUnits = 12;

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// A decimal integer as the C runtime converts one: leading blanks and a sign, then digits up
// to the first other character; nothing convertible is 0.
int64_t DecimalValue(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
  int64_t value = 0;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    value = value * 10 + (text[at] - u'0');
  }
  return negative ? -value : value;
}

// One component ending at `separator` (or at the end when there is none to look for); the rest
// of the text follows it.
bool TakeComponent(std::u16string_view& rest, bool lastOne, uint32_t& component) {
  std::u16string_view piece = rest;
  if (!lastOne) {
    size_t comma = rest.find(u',');
    if (comma == std::u16string_view::npos) return false;
    piece = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
  } else if (piece.empty()) {
    return false;
  }
  int64_t value = DecimalValue(piece);
  if (value == -1) return false;
  component = static_cast<uint32_t>(value) & 0xFF;
  return true;
}

}  // namespace

bool ParseAnchorColour(std::u16string_view stored, uint32_t& colour) {
  if (stored.empty() || stored.size() > kMaxStoredUnits || stored.back() != u'\0') return false;
  std::u16string_view rest = stored.substr(0, stored.find(u'\0'));
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
  if (!TakeComponent(rest, false, red) || !TakeComponent(rest, false, green) ||
      !TakeComponent(rest, true, blue)) {
    return false;
  }
  colour = red | green << 8 | blue << 16;
  return true;
}
