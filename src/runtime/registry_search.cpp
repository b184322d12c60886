// One pass over the runtimes registered in one registry view: collect the admitted entries,
// rank them and choose one.
#include "launcher/launcher.h"
#include "platform/registry.h"
#include "runtime/registry_candidates.h"
#include "runtime/runtime_search.h"

namespace {

const Text kJavaHomeValue = u"JavaHome";

// An entry counts when its JavaHome names a folder that holds a runtime library.
bool ReadRegistryEntry(const os::MachineKey& rootKey, const RegistryRoot& root, const Text& name,
                       JvmType type, Text& home, bool& server) {
  std::vector<uint8_t> bytes;
  if (!os::MachineKey(rootKey, name).ValueBytes(kJavaHomeValue, bytes)) return false;
  home = HomeFromJavaHome(bytes, root);
  return !FindRuntimeLibrary(home, EntryProbeType(root, type), server).empty();
}

void CollectRegistryCandidates(const Launcher& launcher, const RegistryRoot& root,
                               os::RegistryView view, std::vector<RuntimeCandidate>& list) {
  bool preferred = IsRootPreferred(root, launcher);
  os::MachineKey rootKey(root.key, view);
  for (const Text& name : rootKey.SubKeyNames()) {
    VersionNumber version = ParseVersion(name, 0);
    if (!IsVersionAdmitted(version, launcher.minVersion, launcher.maxVersion)) continue;
    RuntimeCandidate candidate{version, Text(), false, preferred};
    if (!ReadRegistryEntry(rootKey, root, name, launcher.jvmType, candidate.home,
                           candidate.server)) {
      continue;
    }
    list.push_back(std::move(candidate));
  }
}

}  // namespace

bool Launcher::SearchRegistry(bool otherView, Text& home) {
  // The other view holds runtimes only a companion can load.
  if (otherView && pairProduct.empty()) return false;
  os::RegistryView view = otherView ? os::RegistryView::Other : os::RegistryView::Default;
  std::vector<RuntimeCandidate> candidates;
  for (const RegistryRoot& root : kRegistryRoots) {
    if (IsRootSearched(root, *this)) CollectRegistryCandidates(*this, root, view, candidates);
  }
  RankCandidates(candidates, favorSource, jvmType);
  const RuntimeCandidate* chosen = ChooseCandidate(candidates, preferredVersions);
  if (!chosen) return false;
  home = chosen->home;
  if (otherView) launchPaired = true;
  return true;
}
