// One pass over the runtimes registered in one registry view: collect the admitted entries,
// rank them and choose one, reading entries only as far as the choice needs.
#include <iterator>
#include <string_view>

#include "platform/files.h"
#include "platform/mapped_file.h"
#include "platform/registry.h"
#include "runtime/registry_candidates.h"
#include "runtime/runtime_search.h"
#include "runtime/search_observer.h"
#include "runtime/vendor_versions.h"

namespace {

// A release file holds a few lines; a larger one is read only this far.
constexpr size_t kReleaseFileReadLimit = 64 * 1024;

struct Pass {
  const SearchPolicy& policy;
  RegistrySet set;
  os::RegistryView view;
  const Text& pairProduct;
  SearchObserver* observer;

  void Report(const RuntimeCandidate& candidate, EntryVerdict verdict) const {
    if (observer) observer->Entry(view, candidate, verdict);
  }
};

// The classic installers register machine-wide only; today's vendors' per user as well.
constexpr os::RegistryHive kHives[] = {os::RegistryHive::LocalMachine,
                                       os::RegistryHive::CurrentUser};

Text EntryKey(const RuntimeCandidate& candidate) {
  return candidate.root->key + EntryKeyBelowRoot(candidate);
}

bool ReadHome(const Pass& pass, RuntimeCandidate& candidate) {
  std::vector<uint8_t> bytes;
  if (!os::RegistryReader(candidate.hive, EntryKey(candidate), pass.view)
           .ValueBytes(candidate.root->homeValue, bytes)) {
    return false;
  }
  candidate.home = HomeFromValue(bytes, *candidate.root);
  return true;
}

// The version that the entry's key name or numbers give; false when they give none.
bool KeyVersion(const Pass& pass, RuntimeCandidate& candidate) {
  switch (candidate.root->versionSource) {
    case VersionSource::KeyName:
      candidate.version = ParseVersion(candidate.name, 0);
      return true;
    case VersionSource::VendorKeyName:
      candidate.version = WithLegacyPrefix(ParseVersion(candidate.name, 0));
      return CompareVersions(candidate.version, VersionNumber{}) != 0;
    case VersionSource::Numbers: {
      os::RegistryReader key(candidate.hive, candidate.root->key + candidate.name, pass.view);
      uint32_t major = 0, minor = 0, build = 0;
      return key.ValueNumber(u"MajorVersion", major) &&
             key.ValueNumber(u"MinorVersion", minor) &&
             key.ValueNumber(u"BuildNumber", build) &&
             VersionFromNumbers(major, minor, build, candidate.version);
    }
  }
  return false;
}

bool ReleaseFileVersion(const Text& home, VersionNumber& version) {
  os::MappedFile file(home + u"release");
  if (!file.Data()) return false;
  size_t size = file.Size() < kReleaseFileReadLimit ? file.Size() : kReleaseFileReadLimit;
  return VersionFromReleaseText(
      std::string_view(reinterpret_cast<const char*>(file.Data()), size), version);
}

// The sub-keys of the root that are admitted versions of wanted kinds. Classic entries are
// not read yet; a vendor entry whose version or kind only its home tells is read now.
void CollectRegistryCandidates(const Pass& pass, os::RegistryHive hive,
                               const RegistryRoot& root, std::vector<RuntimeCandidate>& list) {
  const SearchPolicy& policy = pass.policy;
  os::RegistryReader rootKey(hive, root.key, pass.view);
  if (pass.observer) pass.observer->Root(hive, pass.view, root.key, rootKey.IsOpen());
  for (const Text& name : rootKey.SubKeyNames()) {
    RuntimeCandidate candidate{VersionNumber{}, Text(), false, false, &root, name, hive,
                               root.kind};
    bool known = KeyVersion(pass, candidate);
    if (!known || root.kind == RuntimeKind::Either) {
      if (!ReadHome(pass, candidate)) {
        pass.Report(candidate, EntryVerdict::NoHome);
        continue;
      }
      if (!known) known = ReleaseFileVersion(candidate.home, candidate.version);
      if (root.kind == RuntimeKind::Either) {
        candidate.kind = os::FindsEntry(candidate.home + u"bin\\javac.exe") ? RuntimeKind::Jdk
                                                                            : RuntimeKind::Jre;
      }
    }
    candidate.versionKnown = known;
    if (known ? !IsVersionAdmitted(candidate.version, policy.minVersion, policy.maxVersion)
              : !IsUnknownVersionAdmitted(policy.minVersion, policy.maxVersion)) {
      pass.Report(candidate, known ? EntryVerdict::OutsideRange : EntryVerdict::UnknownVersion);
      continue;
    }
    if (!IsSearched(root.vendor, candidate.kind, policy)) {
      pass.Report(candidate, EntryVerdict::KindNotWanted);
      continue;
    }
    candidate.preferred = IsPreferred(root.vendor, candidate.kind, policy);
    list.push_back(std::move(candidate));
  }
}

// An entry counts when its home holds a runtime library this launcher, or its companion
// when one is configured, can load. A hit in the other view always goes to the companion.
EntryVerdict ReadRegistryEntry(const Pass& pass, RuntimeCandidate& candidate) {
  if (candidate.home.empty() && !ReadHome(pass, candidate)) return EntryVerdict::NoHome;
  Text library = FindRuntimeLibrary(
      candidate.home, EntryProbeType(*candidate.root, pass.policy.jvmType), candidate.server);
  if (library.empty()) return EntryVerdict::NoLibrary;
  candidate.paired = pass.view == os::RegistryView::Other;
  // Per-user keys are not split by view, so a vendor entry's library is judged by its image.
  if (pass.set == RegistrySet::Vendors && IsForeignLibrary(library)) {
    if (pass.pairProduct.empty()) return EntryVerdict::OtherMachine;
    candidate.paired = true;
  }
  return EntryVerdict::Admitted;
}

}  // namespace

bool SearchRegistry(const SearchPolicy& policy, RegistrySet set, os::RegistryView view,
                    const Text& pairProduct, RegistryHit& hit, SearchObserver* observer) {
  const Pass pass{policy, set, view, pairProduct, observer};
  if (observer) observer->Pass(set, view);
  std::vector<RuntimeCandidate> candidates;
  bool classic = set == RegistrySet::Classic;
  const RegistryRoot* roots = classic ? kRegistryRoots : kVendorRoots;
  size_t rootCount = classic ? std::size(kRegistryRoots) : std::size(kVendorRoots);
  for (size_t hive = 0; hive < (classic ? 1 : std::size(kHives)); ++hive) {
    for (size_t at = 0; at < rootCount; ++at) {
      if (!IsRootSearched(roots[at], policy)) continue;
      CollectRegistryCandidates(pass, kHives[hive], roots[at], candidates);
    }
  }
  CandidateCheck readEntry = [&](RuntimeCandidate& candidate) {
    EntryVerdict verdict = ReadRegistryEntry(pass, candidate);
    pass.Report(candidate, verdict);
    return verdict == EntryVerdict::Admitted;
  };
  // Server VMs rank first, and only reading an entry tells which VM it has; a report wants
  // every entry's verdict. Reading all first chooses the same candidate.
  if (policy.jvmType == JvmType::FavorServer || observer) {
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
  if (observer) observer->Chosen(view, chosen);
  if (!chosen) return false;
  hit.home = chosen->home;
  hit.paired = chosen->paired;
  return true;
}
