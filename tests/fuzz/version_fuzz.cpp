// Runtime versions: registry key names, version settings, release files. Input: two version
// texts, then a release file's text.
#include "fuzz_input.h"
#include "runtime/registry_candidates.h"
#include "runtime/vendor_versions.h"
#include "runtime/version.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextList fields = fuzz::Fields(data, size, 3);
  VersionNumber a = ParseVersion(fields[0], 0);
  VersionNumber b = ParseVersion(fields[1], kVersionUnbounded);
  for (const VersionNumber& v : {a, b}) {
    FUZZ_CHECK(v.first >= 0 && v.second >= 0 && v.third >= 0 && v.fourth >= 0);
    FUZZ_CHECK(CompareVersions(v, v) == 0);
    FUZZ_CHECK(MatchesVersion(v, v));
    // The printed form (trailing zero and unbounded parts left out) reads back as itself.
    Text printed = FormatVersion(v);
    FUZZ_CHECK(FormatVersion(ParseVersion(printed, 0)) == printed);
    FUZZ_CHECK(IsVersionAdmitted(v, v, v));
    VersionNumber legacy = WithLegacyPrefix(v);
    FUZZ_CHECK(legacy.first >= 0);
  }
  FUZZ_CHECK(Sign(CompareVersions(a, b)) == -Sign(CompareVersions(b, a)));
  FUZZ_CHECK(IsVersionAdmitted(a, a, b) == (CompareVersions(a, b) <= 0));
  DescribeRequiredVersion(a, b);

  ByteString release = ToUtf8(fields[2]);
  VersionNumber found;
  if (VersionFromReleaseText(release, found)) {
    FUZZ_CHECK(found.first >= 0 && found.second >= 0 && found.third >= 0 && found.fourth >= 0);
  }
  return 0;
}
