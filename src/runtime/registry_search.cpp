// One pass over the runtimes registered in one registry view: collect the admitted entries,
// rank them and choose one, reading entries only as far as the choice needs.
#include "platform/registry.h"
#include "runtime/registry_candidates.h"
#include "runtime/runtime_search.h"

namespace {

const Text kJavaHomeValue = u"JavaHome";

// The sub-keys of the root whose names are admitted versions, not read yet.
void CollectRegistryCandidates(const SearchPolicy& policy, const RegistryRoot& root,
                               os::RegistryView view, std::vector<RuntimeCandidate>& list) {
  bool preferred = IsRootPreferred(root, policy);
  for (const Text& name : os::MachineKey(root.key, view).SubKeyNames()) {
    VersionNumber version = ParseVersion(name, 0);
    if (!IsVersionAdmitted(version, policy.minVersion, policy.maxVersion)) continue;
    list.push_back(RuntimeCandidate{version, Text(), false, preferred, &root, name});
  }
}

// An entry counts when its JavaHome names a folder that holds a runtime library.
bool ReadRegistryEntry(os::RegistryView view, JvmType type, RuntimeCandidate& candidate) {
  const RegistryRoot& root = *candidate.root;
  std::vector<uint8_t> bytes;
  if (!os::MachineKey(root.key + candidate.name, view).ValueBytes(kJavaHomeValue, bytes)) {
    return false;
  }
  candidate.home = HomeFromJavaHome(bytes, root);
  return !FindRuntimeLibrary(candidate.home, EntryProbeType(root, type), candidate.server)
              .empty();
}

}  // namespace

bool SearchRegistry(const SearchPolicy& policy, os::RegistryView view, Text& home) {
  std::vector<RuntimeCandidate> candidates;
  for (const RegistryRoot& root : kRegistryRoots) {
    if (IsRootSearched(root, policy)) CollectRegistryCandidates(policy, root, view, candidates);
  }
  CandidateCheck readEntry = [&](RuntimeCandidate& candidate) {
    return ReadRegistryEntry(view, policy.jvmType, candidate);
  };
  if (policy.jvmType == JvmType::FavorServer) {
    // Server VMs rank first, and only reading an entry tells which VM it has.
    std::vector<RuntimeCandidate> read;
    for (RuntimeCandidate& candidate : candidates) {
      if (readEntry(candidate)) read.push_back(std::move(candidate));
    }
    candidates.swap(read);
    readEntry = [](RuntimeCandidate&) { return true; };
  }
  RankCandidates(candidates, policy.favorSource, policy.jvmType);
  const RuntimeCandidate* chosen =
      ChooseCandidate(candidates, policy.preferredVersions, readEntry);
  if (!chosen) return false;
  home = chosen->home;
  return true;
}
