// What the runtime search looked at and why it took or passed over each runtime. The launcher
// passes no observer, so a start pays nothing for it; a report of the search passes one.
#pragma once

#include "core/text.h"
#include "platform/registry.h"
#include "runtime/registry_candidates.h"
#include "runtime/runtime_search.h"

// Why a registry entry was admitted or not, in the order the search finds out.
enum class EntryVerdict {
  Admitted,        // a candidate of the ranking
  OutsideRange,    // its version lies outside Minimum Version..Maximum Version
  UnknownVersion,  // no version could be read, and the range does not admit every version
  KindNotWanted,   // a kit where only runtimes are wanted, or the other way round
  NoHome,          // no home value, or an empty one
  NoLibrary,       // no runtime library below the home for the JVM Type
  OtherMachine,    // its library is for another machine, and no companion is configured
};

enum class FolderSource { JrePath, PrivateRuntime };

class SearchObserver {
 public:
  // A runtime folder tried before the registry; `library` is empty when it holds none.
  virtual void Folder(FolderSource source, const Text& home, const Text& library) = 0;
  // A registry pass begins.
  virtual void Pass(RegistrySet set, os::RegistryView view) = 0;
  // A registry root about to be read in one hive and view; `present` when the key exists.
  virtual void Root(os::RegistryHive hive, os::RegistryView view, const Text& key,
                    bool present) = 0;
  // One entry below a root, and what became of it.
  virtual void Entry(os::RegistryView view, const RuntimeCandidate& entry,
                     EntryVerdict verdict) = 0;
  // The end of the registry pass: the candidate chosen, or null.
  virtual void Chosen(os::RegistryView view, const RuntimeCandidate* chosen) = 0;

 protected:
  ~SearchObserver() = default;
};
