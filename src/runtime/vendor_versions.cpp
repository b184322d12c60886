// Versions of runtimes read from installer numbers and release files.
#include "runtime/vendor_versions.h"

namespace {

constexpr int32_t kLastLegacyMajor = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

VersionNumber WithLegacyPrefix(const VersionNumber& version) {
  if (version.first < 2 || version.first > kLastLegacyMajor) return version;
  return VersionNumber{1, version.first, version.second, version.third};
}

bool VersionFromNumbers(uint32_t major, uint32_t minor, uint32_t build, VersionNumber& version) {
  if (major > INT32_MAX || minor > INT32_MAX || build > INT32_MAX || major == 0) return false;
  version = WithLegacyPrefix(VersionNumber{static_cast<int32_t>(major),
                                           static_cast<int32_t>(minor),
                                           static_cast<int32_t>(build), 0});
  return true;
}

bool VersionFromReleaseText(std::string_view text, VersionNumber& version) {
  static constexpr std::string_view kKey = "JAVA_VERSION";
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.substr(0, kKey.size()) != kKey) continue;
    std::string_view rest = Trimmed(line.substr(kKey.size()));
    if (rest.empty() || rest.front() != '=') continue;
    rest = Trimmed(rest.substr(1));
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
      rest = rest.substr(1, rest.size() - 2);
    }
    Text value(rest.begin(), rest.end());
    if (value.find_first_of(u"0123456789") == Text::npos) return false;
    VersionNumber parsed = ParseVersion(value, 0);
    if (IsUnsetVersion(parsed)) return false;
    version = WithLegacyPrefix(parsed);
    return true;
  }
  return false;
}

bool IsUnknownVersionAdmitted(const VersionNumber& minVersion, const VersionNumber& maxVersion) {
  const VersionNumber none;
  const VersionNumber all{kVersionUnbounded, kVersionUnbounded, kVersionUnbounded,
                          kVersionUnbounded};
  return CompareVersions(minVersion, none) == 0 && CompareVersions(maxVersion, all) == 0;
}
