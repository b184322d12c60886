// Registry roots, entry homes, and the ranking and choice of registered runtimes.
#include "runtime/registry_candidates.h"

#include <algorithm>
#include <string_view>

#include "core/utf16le.h"
#include "core/paths.h"

namespace {

bool SearchesVendor(const SearchPolicy& policy, RuntimeVendor vendor) {
  switch (vendor) {
    case RuntimeVendor::JavaSoft: return policy.searchJavaSoft || policy.preferJavaSoft;
    case RuntimeVendor::JRockit: return policy.searchJRockit || policy.preferJRockit;
    case RuntimeVendor::Ibm: return policy.searchIbm || policy.preferIbm;
  }
  return false;
}

bool PrefersVendor(const SearchPolicy& policy, RuntimeVendor vendor) {
  switch (vendor) {
    case RuntimeVendor::JavaSoft: return policy.preferJavaSoft;
    case RuntimeVendor::JRockit: return policy.preferJRockit;
    case RuntimeVendor::Ibm: return policy.preferIbm;
  }
  return false;
}

bool WantsKind(const SearchPolicy& policy, RuntimeKind kind) {
  switch (kind) {
    case RuntimeKind::Jdk: return policy.wantJdk;
    case RuntimeKind::Jre: return policy.wantJre;
    case RuntimeKind::Either: return policy.wantJdk || policy.wantJre;
  }
  return false;
}

}  // namespace

bool IsSearched(RuntimeVendor vendor, RuntimeKind kind, const SearchPolicy& policy) {
  return (policy.favorSource || WantsKind(policy, kind)) && SearchesVendor(policy, vendor);
}

bool IsRootSearched(const RegistryRoot& root, const SearchPolicy& policy) {
  return IsSearched(root.vendor, root.kind, policy);
}

bool IsPreferred(RuntimeVendor vendor, RuntimeKind kind, const SearchPolicy& policy) {
  return WantsKind(policy, kind) && PrefersVendor(policy, vendor);
}

bool IsRootPreferred(const RegistryRoot& root, const SearchPolicy& policy) {
  return IsPreferred(root.vendor, root.kind, policy);
}

JvmType EntryProbeType(const RegistryRoot& root, JvmType type) {
  return root.favorServerProbedAsAny && type == JvmType::FavorServer ? JvmType::Any : type;
}

bool IsVersionAdmitted(const VersionNumber& version, const VersionNumber& minVersion,
                       const VersionNumber& maxVersion) {
  return CompareVersions(version, maxVersion) <= 0 && CompareVersions(version, minVersion) >= 0;
}

Text EntryKeyBelowRoot(const RuntimeCandidate& candidate) {
  if (!*candidate.root->entryKey) return candidate.name;
  return candidate.name + u'\\' + candidate.root->entryKey;
}

Text HomeFromValue(const std::vector<uint8_t>& bytes, const RegistryRoot& root) {
  Text home = TextFromUtf16Le(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  size_t nul = home.find(u'\0');
  if (nul != Text::npos) home.resize(nul);
  home = WithTrailingBackslash(home);
  if (root.homeInsideKit) home += u"jre\\";
  return home;
}

void RankCandidates(std::vector<RuntimeCandidate>& candidates, bool favorSource, JvmType type) {
  bool byServer = type == JvmType::FavorServer;
  auto ranksHigher = [&](const RuntimeCandidate& a, const RuntimeCandidate& b) {
    if (favorSource && a.preferred != b.preferred) return a.preferred;
    if (byServer && a.server != b.server) return a.server;
    return CompareVersions(a.version, b.version) > 0;
  };
  std::stable_sort(candidates.begin(), candidates.end(), ranksHigher);
}

const RuntimeCandidate* ChooseCandidate(std::vector<RuntimeCandidate>& ranked,
                                        const TextList& preferredVersions,
                                        const CandidateCheck& passes) {
  enum class Check : uint8_t { Pending, Passed, Failed };
  std::vector<Check> checks(ranked.size(), Check::Pending);
  auto usable = [&](size_t at) {
    if (checks[at] == Check::Pending) {
      checks[at] = passes(ranked[at]) ? Check::Passed : Check::Failed;
    }
    return checks[at] == Check::Passed;
  };
  for (const Text& entry : preferredVersions) {
    VersionNumber pattern = ParseVersion(entry, 0);
    for (size_t at = 0; at < ranked.size(); ++at) {
      if (MatchesVersion(ranked[at].version, pattern) && usable(at)) return &ranked[at];
    }
  }
  for (size_t at = 0; at < ranked.size(); ++at) {
    if (usable(at)) return &ranked[at];
  }
  return nullptr;
}
