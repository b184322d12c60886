// Search report lines: sources, registry roots and entries with their verdicts, the choice.
#include "search_report.h"

#include "platform/mapped_file.h"

namespace {

const char16_t* HiveName(os::RegistryHive hive) {
  return hive == os::RegistryHive::CurrentUser ? u"HKCU" : u"HKLM";
}

// This build's own view is the one its machine type sees.
const char16_t* ViewName(os::RegistryView view) {
  bool own32 = os::kLoadableMachine == 0x014C;
  return (view == os::RegistryView::Default) == own32 ? u"32-bit view" : u"64-bit view";
}

const char16_t* JvmTypeName(JvmType type) {
  switch (type) {
    case JvmType::Server: return u"server";
    case JvmType::FavorServer: return u"favor_server";
    case JvmType::Any: break;
  }
  return u"any";
}

const char16_t* KindName(RuntimeKind kind) {
  return kind == RuntimeKind::Jdk ? u"kit" : u"runtime";
}

Text YesNo(bool value) { return value ? u"yes" : u"no"; }

Text RangeText(const SearchPolicy& policy) {
  return FormatVersion(policy.minVersion) + u" to " + FormatVersion(policy.maxVersion);
}

Text Found(const Text& library) {
  return library.empty() ? Text(u"no runtime library") : u"runtime library " + library;
}

}  // namespace

Text DescribePolicy(const SearchPolicy& policy, const Text& jrePath, const Text& pairProduct) {
  Text kinds = policy.wantJdk && policy.wantJre ? u"kits and runtimes"
               : policy.wantJdk                 ? u"kits"
               : policy.wantJre                 ? u"runtimes"
                                                : u"none";
  Text vendors;
  const std::pair<const char16_t*, bool> searched[] = {
      {u"JavaSoft", policy.searchJavaSoft || policy.preferJavaSoft},
      {u"JRockit", policy.searchJRockit || policy.preferJRockit},
      {u"IBM", policy.searchIbm || policy.preferIbm}};
  for (const auto& [name, on] : searched) {
    if (on) vendors += (vendors.empty() ? u"" : u", ") + Text(name);
  }
  Text preferred = policy.preferredVersions.empty() ? Text(u"none") : Text();
  for (const Text& entry : policy.preferredVersions) {
    preferred += (preferred.empty() ? u"" : u";") + entry;
  }
  return u"Version range: " + RangeText(policy) + u"\nPreferred versions: " + preferred +
         u"\nJVM Type: " + JvmTypeName(policy.jvmType) + u"\nWanted: " + kinds +
         (policy.favorSource ? u" (kinds favoured, not required)" : u"") +
         u"\nVendors searched: " + (vendors.empty() ? Text(u"none") : vendors) +
         u"\nVendor runtimes: " + YesNo(policy.vendorRuntimes) + u"\nJRE Path: " +
         (jrePath.empty() ? Text(u"not set") : jrePath) + u"\nPair Product: " +
         (pairProduct.empty() ? Text(u"not set") : pairProduct) + u"\n";
}

Text DescribeVerdict(EntryVerdict verdict, const RuntimeCandidate& entry,
                     const SearchPolicy& policy) {
  switch (verdict) {
    case EntryVerdict::Admitted:
      return Text(u"admitted") + (entry.server ? u", server VM" : u"") +
             (entry.paired ? u", for the companion" : u"");
    case EntryVerdict::OutsideRange:
      return u"not admitted: outside the version range " + RangeText(policy);
    case EntryVerdict::UnknownVersion:
      return u"not admitted: version unknown, and the version range has a bound";
    case EntryVerdict::KindNotWanted:
      return Text(u"not admitted: JVM Source does not want a ") + KindName(entry.kind);
    case EntryVerdict::NoHome:
      return Text(u"not admitted: no ") + entry.root->homeValue + u" value";
    case EntryVerdict::NoLibrary:
      return Text(u"not admitted: no runtime library for JVM Type ") +
             JvmTypeName(policy.jvmType);
    case EntryVerdict::OtherMachine:
      return Text(u"not admitted: not a ") +
             (os::kLoadableMachine == 0x014C ? u"32-bit" : u"64-bit") +
             u" image, and no Pair Product";
  }
  return Text();
}

void SearchReport::Folder(FolderSource source, const Text& home, const Text& library) {
  text_ += (source == FolderSource::JrePath ? u"JRE Path " : u"Private runtime ") +
           (home.empty() ? Text(u"(the working folder)") : home) + u": " + Found(library) +
           u"\n";
}

void SearchReport::Pass(RegistrySet set, os::RegistryView view) {
  passTitle_ = Text(u"Registry, ") +
               (set == RegistrySet::Classic ? u"classic roots, " : u"vendor roots, ") +
               ViewName(view) + u":\n";
}

void SearchReport::Root(os::RegistryHive hive, os::RegistryView, const Text& key,
                        bool present) {
  roots_.push_back(RootLines{hive, key, present, Text()});
}

void SearchReport::Entry(os::RegistryView, const RuntimeCandidate& entry,
                         EntryVerdict verdict) {
  Text line = u"    " + EntryKeyBelowRoot(entry) + u":";
  if (!entry.home.empty()) line += u" home " + entry.home + u",";
  line += u" version " + (entry.versionKnown ? FormatVersion(entry.version) : Text(u"unknown")) +
          u", " + KindName(entry.kind) + u": " + DescribeVerdict(verdict, entry, policy_) + u"\n";
  for (auto root = roots_.rbegin(); root != roots_.rend(); ++root) {
    if (root->hive == entry.hive && root->key == entry.root->key) {
      root->entries += line;
      return;
    }
  }
}

void SearchReport::Chosen(os::RegistryView, const RuntimeCandidate* chosen) {
  text_ += passTitle_;
  size_t absent = 0;
  for (const RootLines& root : roots_) {
    if (!root.present) {
      ++absent;
      continue;
    }
    text_ += Text(u"  ") + HiveName(root.hive) + u"\\" + root.key + u"\n" + root.entries;
  }
  text_ += u"  keys not present: " + DecimalText(static_cast<long long>(absent)) + u" of " +
           DecimalText(static_cast<long long>(roots_.size())) + u"\n  chosen: " +
           (chosen ? HiveName(chosen->hive) + Text(u"\\") + chosen->root->key +
                         EntryKeyBelowRoot(*chosen)
                   : Text(u"none")) +
           u"\n";
  roots_.clear();
}

void SearchReport::Finish(bool found, const RuntimeChoice& choice) {
  if (!found) {
    text_ += u"Result: no runtime found; the launcher reports that none was found.\n";
    return;
  }
  text_ += u"Result: " + choice.runtimeLibraryPath + u"\nStarted by: " +
           (choice.launchPaired ? u"the companion launcher " + pairProduct_
                                : Text(u"this launcher")) +
           u"\n";
}
