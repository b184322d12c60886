// The version of a runtime whose registry key is not named after it: from the numbers its
// installer writes beside the home, or from the "release" file in the home.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/version.h"

// Runtimes before 9 call themselves 1.<major>, as their classic registry keys and the version
// settings do: 8.0.392 reads as 1.8.0.392, so that "1.8" bounds and preferences meet it.
VersionNumber WithLegacyPrefix(const VersionNumber& version);

// Major, minor and build numbers as an installer writes them; false when one of them does not
// fit a version component.
bool VersionFromNumbers(uint32_t major, uint32_t minor, uint32_t build, VersionNumber& version);

// The JAVA_VERSION line of a release file's text ("JAVA_VERSION=\"17.0.9\""); false when the
// text has none or it holds no number.
bool VersionFromReleaseText(std::string_view text, VersionNumber& version);

// A version that could not be read is admitted only when the range admits every version.
bool IsUnknownVersionAdmitted(const VersionNumber& minVersion, const VersionNumber& maxVersion);
