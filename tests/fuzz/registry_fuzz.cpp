// Registry entries: home values, ranking, and the choice among ranked entries. Input: a
// settings byte, the preferred versions (";" list), then four bytes per entry (major,
// update, flags, and a home value byte).
#include <algorithm>
#include <string>
#include <tuple>

#include "core/words.h"
#include "fuzz_input.h"
#include "runtime/registry_candidates.h"

namespace {

struct Entry {
  RuntimeCandidate candidate;
  size_t collected;  // its place before ranking
  bool passes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool favorSource = data[0] & 1;
  const JvmType type = static_cast<JvmType>(data[0] / 2 % 3);
  size_t end = std::find(data + 1, data + size, 0) - data;
  TextList preferred;
  SplitList(FromUtf8(ByteString(reinterpret_cast<const char*>(data) + 1, end - 1)), u";",
            preferred);

  std::vector<Entry> entries;
  for (size_t at = end + 1; at + 4 <= size; at += 4) {
    Entry entry;
    entry.candidate.version = {1, data[at] % 12, 0, data[at + 1]};
    entry.candidate.server = data[at + 2] & 1;
    entry.candidate.preferred = data[at + 2] & 2;
    entry.passes = data[at + 2] & 4;
    entry.collected = entries.size();
    entry.candidate.name = DecimalText(static_cast<long long>(entry.collected));
    // The home value of every root, from bytes that may hold no NUL and an odd length.
    std::vector<uint8_t> value(data + at, data + at + 1 + data[at + 3] % 4);
    for (const RegistryRoot& root : kRegistryRoots) {
      FUZZ_CHECK(HomeFromValue(value, root).back() == u'\\');
    }
    entries.push_back(entry);
  }

  std::vector<RuntimeCandidate> ranked;
  for (const Entry& entry : entries) ranked.push_back(entry.candidate);
  RankCandidates(ranked, favorSource, type);
  FUZZ_CHECK(ranked.size() == entries.size());
  auto key = [&](const RuntimeCandidate& c) {
    return std::make_tuple(favorSource && c.preferred, type == JvmType::FavorServer && c.server);
  };
  std::vector<bool> passes(ranked.size());
  for (size_t i = 0; i < ranked.size(); ++i) {
    size_t collected = std::stoul(ToUtf8(ranked[i].name));
    passes[i] = entries[collected].passes;
    if (i == 0) continue;
    // Best first, and equal entries in the order they were collected.
    const RuntimeCandidate& a = ranked[i - 1];
    const RuntimeCandidate& b = ranked[i];
    FUZZ_CHECK(key(a) >= key(b));
    if (key(a) == key(b)) {
      int order = CompareVersions(a.version, b.version);
      FUZZ_CHECK(order >= 0);
      if (order == 0) FUZZ_CHECK(std::stoul(ToUtf8(a.name)) < collected);
    }
  }

  // The lazy choice picks what checking every entry first would pick.
  size_t checks = 0;
  const RuntimeCandidate* chosen = ChooseCandidate(ranked, preferred, [&](RuntimeCandidate& c) {
    ++checks;
    return entries[std::stoul(ToUtf8(c.name))].passes;
  });
  FUZZ_CHECK(checks <= ranked.size());
  const RuntimeCandidate* expected = nullptr;
  for (const Text& version : preferred) {
    VersionNumber pattern = ParseVersion(version, 0);
    for (size_t i = 0; i < ranked.size() && !expected; ++i) {
      if (passes[i] && MatchesVersion(ranked[i].version, pattern)) expected = &ranked[i];
    }
    if (expected) break;
  }
  for (size_t i = 0; i < ranked.size() && !expected; ++i) {
    if (passes[i]) expected = &ranked[i];
  }
  FUZZ_CHECK(chosen == expected);
  return 0;
}
