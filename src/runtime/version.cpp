// Version numbers: parsing, comparison, matching against preferences, printing, phrases.
#include "runtime/version.h"

#include <cstdint>

#include "launcher/message_ids.h"
#include "launcher/messages.h"

namespace {

int32_t& Component(VersionNumber& v, int index) {
  int32_t* parts[] = {&v.first, &v.second, &v.third, &v.fourth};
  return *parts[index];
}

int32_t Component(const VersionNumber& v, int index) {
  const int32_t parts[] = {v.first, v.second, v.third, v.fourth};
  return parts[index];
}

}  // namespace

VersionNumber ParseVersion(const Text& text, int32_t fill) {
  VersionNumber version;
  size_t at = 0;
  while (at < text.size() && !IsAsciiDigit(text[at])) ++at;
  if (at == text.size()) return VersionNumber{};
  int read = 0;
  while (read < 4 && at < text.size()) {
    // A value that would pass 2147483647 fails the whole parse.
    int64_t value = 0;
    for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
      value = value * 10 + (text[at] - u'0');
      if (value > INT32_MAX) return VersionNumber{};
    }
    Component(version, read++) = static_cast<int32_t>(value);
    while (at < text.size() && !IsAsciiDigit(text[at])) ++at;
  }
  for (int index = read; index < 4; ++index) Component(version, index) = fill;
  return version;
}

int CompareVersions(const VersionNumber& a, const VersionNumber& b) {
  for (int index = 0; index < 4; ++index) {
    if (Component(a, index) != Component(b, index)) {
      return Component(a, index) < Component(b, index) ? -1 : 1;
    }
  }
  return 0;
}

bool MatchesVersion(const VersionNumber& version, const VersionNumber& pattern) {
  int significant = 4;
  while (significant > 0 && Component(pattern, significant - 1) == 0) --significant;
  for (int index = 0; index < significant; ++index) {
    if (Component(version, index) != Component(pattern, index)) return false;
  }
  return true;
}

bool IsUnsetVersion(const VersionNumber& v) {
  bool allZero = v.first == 0 && v.second == 0 && v.third == 0 && v.fourth == 0;
  bool allUnbounded = v.first == kVersionUnbounded && v.second == kVersionUnbounded &&
                      v.third == kVersionUnbounded && v.fourth == kVersionUnbounded;
  return allZero || allUnbounded;
}

Text FormatVersion(const VersionNumber& v) {
  int last = 3;
  while (last >= 0 && (Component(v, last) == 0 || Component(v, last) == kVersionUnbounded)) --last;
  if (last < 0) return u"0.0.0.0";
  if (last < 1) last = 1;
  Text text;
  for (int index = 0; index <= last; ++index) {
    if (index > 0) text += u'.';
    text += DecimalText(Component(v, index));
  }
  return text;
}

Text DescribeRequiredVersion(const VersionNumber& minVersion, const VersionNumber& maxVersion) {
  bool minimumUnset = IsUnsetVersion(minVersion);
  bool maximumUnset = IsUnsetVersion(maxVersion);
  if (minimumUnset && maximumUnset) return FormatMessageId(kMsgLatestVersion, {});
  if (minimumUnset) return FormatMessageId(kMsgMaximumVersion, {FormatVersion(maxVersion)});
  if (maximumUnset) return FormatMessageId(kMsgMinimumVersion, {FormatVersion(minVersion)});
  if (CompareVersions(minVersion, maxVersion) == 0) {
    return FormatMessageId(kMsgRequiredVersion, {FormatVersion(minVersion)});
  }
  return FormatMessageId(kMsgVersionBetween, {FormatVersion(minVersion), FormatVersion(maxVersion)});
}
