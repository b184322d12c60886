// The runtimes that installers register: the registry roots searched and in what order (the
// classic ones, and those of today's vendors), the home an entry gives, and the ranking and
// choice among the admitted candidates.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/text.h"
#include "platform/registry.h"
#include "runtime/search_policy.h"
#include "runtime/version.h"

// Today's HotSpot builds are searched and preferred as JavaSoft runtimes, OpenJ9 builds as
// IBM ones.
enum class RuntimeVendor { JavaSoft, JRockit, Ibm };
// `Either`: the key does not say; a home that holds the compiler is a kit.
enum class RuntimeKind { Jdk, Jre, Either };

// Where an entry's version comes from.
enum class VersionSource {
  KeyName,        // the sub-key name, as read (the classic installers)
  VendorKeyName,  // the sub-key name, else the home's release file
  Numbers,        // the major, minor and build numbers of the sub-key, else the release file
};

struct RegistryRoot {
  const char16_t* key;  // below the hive, ending with a backslash
  RuntimeVendor vendor;
  RuntimeKind kind;
  // The entries name a development kit, whose runtime is its "jre\" folder.
  bool homeInsideKit;
  // Entries are probed without a server preference: they rank by the first VM they hold,
  // and the final lookup of the chosen home still prefers its server VM.
  bool favorServerProbedAsAny;
  // The key below an entry's sub-key that holds the home value (empty: the sub-key itself),
  // and that value's name.
  const char16_t* entryKey = u"";
  const char16_t* homeValue = u"JavaHome";
  VersionSource versionSource = VersionSource::KeyName;
};

// In the order they are searched.
inline constexpr RegistryRoot kRegistryRoots[] = {
    {u"Software\\JavaSoft\\JDK\\", RuntimeVendor::JavaSoft, RuntimeKind::Jdk, false, false},
    {u"Software\\JavaSoft\\JRE\\", RuntimeVendor::JavaSoft, RuntimeKind::Jre, false, false},
    {u"Software\\JavaSoft\\Java Development Kit\\", RuntimeVendor::JavaSoft, RuntimeKind::Jdk,
     true, false},
    {u"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeVendor::JavaSoft,
     RuntimeKind::Jre, false, true},
    {u"Software\\JRockit\\Java Runtime Environment\\", RuntimeVendor::JRockit, RuntimeKind::Jre,
     false, false},
    {u"Software\\JRockit\\Java Development Kit\\", RuntimeVendor::JRockit, RuntimeKind::Jdk,
     true, false},
    {u"Software\\IBM\\Java2 Runtime Environment\\", RuntimeVendor::Ibm, RuntimeKind::Jre, false,
     false},
};

// The MSI installers of today's OpenJDK builds keep the home as "Path" in the key
// Software\<vendor>\<JDK or JRE>\<version>\<VM>\MSI.
struct BuildVm {
  RuntimeVendor vendor;
  const char16_t* entryKey;
};
inline constexpr BuildVm kHotSpot{RuntimeVendor::JavaSoft, u"hotspot\\MSI"};
inline constexpr BuildVm kOpenJ9{RuntimeVendor::Ibm, u"openj9\\MSI"};

constexpr RegistryRoot MsiRoot(const char16_t* key, RuntimeKind kind, BuildVm vm) {
  return RegistryRoot{key, vm.vendor, kind, false, false, vm.entryKey, u"Path",
                      VersionSource::VendorKeyName};
}

// Today's vendors' installers, read machine-wide and then per user when the classic roots give
// nothing; one row per layout, in the order they are searched.
inline constexpr RegistryRoot kVendorRoots[] = {
    MsiRoot(u"Software\\Eclipse Adoptium\\JDK\\", RuntimeKind::Jdk, kHotSpot),
    MsiRoot(u"Software\\Eclipse Adoptium\\JRE\\", RuntimeKind::Jre, kHotSpot),
    MsiRoot(u"Software\\Eclipse Adoptium\\JDK\\", RuntimeKind::Jdk, kOpenJ9),
    MsiRoot(u"Software\\Eclipse Adoptium\\JRE\\", RuntimeKind::Jre, kOpenJ9),
    MsiRoot(u"Software\\Eclipse Foundation\\JDK\\", RuntimeKind::Jdk, kHotSpot),
    MsiRoot(u"Software\\Eclipse Foundation\\JRE\\", RuntimeKind::Jre, kHotSpot),
    MsiRoot(u"Software\\AdoptOpenJDK\\JDK\\", RuntimeKind::Jdk, kHotSpot),
    MsiRoot(u"Software\\AdoptOpenJDK\\JRE\\", RuntimeKind::Jre, kHotSpot),
    MsiRoot(u"Software\\AdoptOpenJDK\\JDK\\", RuntimeKind::Jdk, kOpenJ9),
    MsiRoot(u"Software\\AdoptOpenJDK\\JRE\\", RuntimeKind::Jre, kOpenJ9),
    MsiRoot(u"Software\\Semeru\\JDK\\", RuntimeKind::Jdk, kOpenJ9),
    MsiRoot(u"Software\\Semeru\\JRE\\", RuntimeKind::Jre, kOpenJ9),
    MsiRoot(u"Software\\Microsoft\\JDK\\", RuntimeKind::Jdk, kHotSpot),
    {u"Software\\Azul Systems\\Zulu\\", RuntimeVendor::JavaSoft, RuntimeKind::Either, false,
     false, u"", u"InstallationPath", VersionSource::Numbers},
    {u"Software\\BellSoft\\Liberica\\", RuntimeVendor::JavaSoft, RuntimeKind::Either, false,
     false, u"", u"InstallationPath", VersionSource::Numbers},
};

struct RuntimeCandidate {
  VersionNumber version;  // from the sub-key name (or where its root says)
  Text home;              // with a trailing backslash, once the entry has been read
  bool server = false;    // its runtime library is the server VM
  bool preferred = false;
  const RegistryRoot* root = nullptr;  // where it is registered
  Text name;                           // its sub-key name
  os::RegistryHive hive = os::RegistryHive::LocalMachine;
  RuntimeKind kind = RuntimeKind::Jre;  // the root's, or what the home showed
  bool versionKnown = true;
  bool paired = false;  // only the companion launcher can load its runtime library
};

// The key that holds an entry's home value, below its root: the sub-key, and the root's
// entry key below that.
Text EntryKeyBelowRoot(const RuntimeCandidate& candidate);

// Reads a candidate's entry (home, server) and tells whether it holds a runtime library.
using CandidateCheck = std::function<bool(RuntimeCandidate&)>;

// The kind is wanted (or kinds are only favoured) and the vendor searched or preferred; for a
// root of either kind, when one of the kinds is.
bool IsSearched(RuntimeVendor vendor, RuntimeKind kind, const SearchPolicy& policy);
bool IsRootSearched(const RegistryRoot& root, const SearchPolicy& policy);
// The kind is wanted and the vendor preferred.
bool IsPreferred(RuntimeVendor vendor, RuntimeKind kind, const SearchPolicy& policy);
bool IsRootPreferred(const RegistryRoot& root, const SearchPolicy& policy);
// The VM type with which an entry of the root is probed.
JvmType EntryProbeType(const RegistryRoot& root, JvmType type);
// Both bounds are inclusive.
bool IsVersionAdmitted(const VersionNumber& version, const VersionNumber& minVersion,
                       const VersionNumber& maxVersion);

// The runtime home from the raw bytes of an entry's home value: UTF-16LE text (an odd last
// byte dropped) up to the first NUL, or all of it when there is none; then a trailing
// backslash, and "jre\" for a classic kit.
Text HomeFromValue(const std::vector<uint8_t>& bytes, const RegistryRoot& root);

// Best first: preferred entries when kinds are favoured, then server VMs under FavorServer,
// then newest; equal entries keep the order in which they were collected.
void RankCandidates(std::vector<RuntimeCandidate>& candidates, bool favorSource, JvmType type);

// Among the ranked candidates that pass the check: the first that matches the earliest
// preferred version any of them matches, else the first; null when none passes. The check
// runs at most once per candidate, in rank order, and only as far as the choice needs, so
// the same candidate is chosen as if every one had been checked first.
const RuntimeCandidate* ChooseCandidate(std::vector<RuntimeCandidate>& ranked,
                                        const TextList& preferredVersions,
                                        const CandidateCheck& passes);
