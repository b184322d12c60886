// The text of a search report: what the launcher's runtime search looked at, source by
// source and registry entry by registry entry, why it admitted or passed over each, and what
// it chose.
#pragma once

#include <vector>

#include "runtime/runtime_search.h"
#include "runtime/search_observer.h"

class SearchReport : public SearchObserver {
 public:
  SearchReport(const SearchPolicy& policy, const Text& pairProduct)
      : policy_(policy), pairProduct_(pairProduct) {}

  void Folder(FolderSource source, const Text& home, const Text& library) override;
  void Pass(RegistrySet set, os::RegistryView view) override;
  void Root(os::RegistryHive hive, os::RegistryView view, const Text& key,
            bool present) override;
  void Entry(os::RegistryView view, const RuntimeCandidate& entry,
             EntryVerdict verdict) override;
  void Chosen(os::RegistryView view, const RuntimeCandidate* chosen) override;

  // The report so far, then the outcome of the whole search.
  const Text& Lines() const { return text_; }
  void Finish(bool found, const RuntimeChoice& choice);

 private:
  struct RootLines {
    os::RegistryHive hive;
    Text key;
    bool present;
    Text entries;
  };

  const SearchPolicy& policy_;
  const Text& pairProduct_;
  Text passTitle_;
  std::vector<RootLines> roots_;  // of the registry pass under way
  Text text_;
};

// The settings that steer the search, one line each.
Text DescribePolicy(const SearchPolicy& policy, const Text& jrePath, const Text& pairProduct);
// Why an entry was admitted or passed over.
Text DescribeVerdict(EntryVerdict verdict, const RuntimeCandidate& entry,
                     const SearchPolicy& policy);
