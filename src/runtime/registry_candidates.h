// The runtimes that installers register: the registry roots searched and in what order, the
// home an entry gives, and the ranking and choice among the admitted candidates.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/text.h"
#include "runtime/search_policy.h"
#include "runtime/version.h"

enum class RuntimeVendor { JavaSoft, JRockit, Ibm };
enum class RuntimeKind { Jdk, Jre };

struct RegistryRoot {
  const char16_t* key;  // below HKEY_LOCAL_MACHINE, ending with a backslash
  RuntimeVendor vendor;
  RuntimeKind kind;
  // The entries name a development kit, whose runtime is its "jre\" folder.
  bool homeInsideKit;
  // Entries are probed without a server preference: they rank by the first VM they hold,
  // and the final lookup of the chosen home still prefers its server VM.
  bool favorServerProbedAsAny;
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

struct RuntimeCandidate {
  VersionNumber version;  // from the sub-key name
  Text home;              // with a trailing backslash, once the entry has been read
  bool server = false;    // its runtime library is the server VM
  bool preferred = false;
  const RegistryRoot* root = nullptr;  // where it is registered
  Text name;                           // its sub-key name
};

// Reads a candidate's entry (home, server) and tells whether it holds a runtime library.
using CandidateCheck = std::function<bool(RuntimeCandidate&)>;

// The root's kind is wanted (or kinds are only favoured) and its vendor searched or preferred.
bool IsRootSearched(const RegistryRoot& root, const SearchPolicy& policy);
// The root's kind is wanted and its vendor preferred.
bool IsRootPreferred(const RegistryRoot& root, const SearchPolicy& policy);
// The VM type with which an entry of the root is probed.
JvmType EntryProbeType(const RegistryRoot& root, JvmType type);
// Both bounds are inclusive.
bool IsVersionAdmitted(const VersionNumber& version, const VersionNumber& minVersion,
                       const VersionNumber& maxVersion);

// The runtime home from the raw bytes of an entry's JavaHome value: UTF-16LE text (an odd
// last byte dropped) up to the first NUL, or all of it when there is none; then a trailing
// backslash, and "jre\" for a kit.
Text HomeFromJavaHome(const std::vector<uint8_t>& bytes, const RegistryRoot& root);

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
