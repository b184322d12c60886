// A resource tree flattened to its leaves, for comparing trees in the packaging tool's fuzz
// targets.
#pragma once

#include <map>

#include "resource_tree.h"

namespace fuzz {

// Each leaf's path of names ("#10/#8000/#0", "TYPELIB/#1/#0") with its data.
inline void CollectLeaves(const ResourceDirectory& directory, const Text& path,
                          std::multimap<Text, ByteString>& leaves) {
  for (const ResourceEntry& entry : directory.entries) {
    Text name = path + u"/" +
                (entry.name.isNumber ? u"#" + DecimalText(entry.name.number) : entry.name.text);
    if (entry.directory) {
      CollectLeaves(*entry.directory, name, leaves);
    } else {
      leaves.emplace(name, entry.data.bytes + ":" + std::to_string(entry.data.codePage));
    }
  }
}

inline std::multimap<Text, ByteString> Leaves(const ResourceDirectory& root) {
  std::multimap<Text, ByteString> leaves;
  CollectLeaves(root, Text(), leaves);
  return leaves;
}

}  // namespace fuzz
