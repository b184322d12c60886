// Runtime version numbers as the registry names them: parsing, ordering, matching, printing.
#pragma once

#include <cstdint>

#include "core/text.h"

struct VersionNumber {
  int32_t first = 0;
  int32_t second = 0;
  int32_t third = 0;
  int32_t fourth = 0;
};

constexpr int32_t kVersionUnbounded = 65535;

// Up to four numbers read from the text; missing components take `fill`. A text without
// digits, or with a component too large for 32 bits, gives 0.0.0.0.
VersionNumber ParseVersion(const Text& text, int32_t fill);
int CompareVersions(const VersionNumber& a, const VersionNumber& b);
// 0 components at the end of the pattern match anything.
bool MatchesVersion(const VersionNumber& version, const VersionNumber& pattern);
// 0.0.0.0 and 65535.65535.65535.65535 stand for "no bound".
bool IsUnsetVersion(const VersionNumber& v);
Text FormatVersion(const VersionNumber& v);
// The required-version phrase of the runtime-not-found message.
Text DescribeRequiredVersion(const VersionNumber& minVersion, const VersionNumber& maxVersion);
