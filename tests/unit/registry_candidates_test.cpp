// Registry roots, entry homes, and the ranking and choice of registered runtimes.
#include "runtime/registry_candidates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The policy that a JVM Source and a VM Provider value make.
SearchPolicy PolicyFor(const char16_t* jvmSource, const char16_t* vmProvider) {
  SearchPolicy policy;
  ApplyJvmSource(jvmSource, policy);
  ApplyVmProvider(vmProvider, policy);
  return policy;
}

struct RootCase {
  const char* name;
  const char16_t* jvmSource;
  const char16_t* vmProvider;
  const char* searched;   // root numbers, in table order
  const char* preferred;  // root numbers whose entries are preferred
};

class RootSelectionTest : public testing::TestWithParam<RootCase> {};

TEST_P(RootSelectionTest, SearchesAndPrefersRootsOfWantedKindsAndVendors) {
  SearchPolicy policy = PolicyFor(GetParam().jvmSource, GetParam().vmProvider);
  std::string searched, preferred;
  for (size_t i = 0; i < std::size(kRegistryRoots); ++i) {
    char number = static_cast<char>('1' + i);
    if (IsRootSearched(kRegistryRoots[i], policy)) searched += number;
    if (IsRootPreferred(kRegistryRoots[i], policy)) preferred += number;
  }
  EXPECT_EQ(searched, GetParam().searched);
  EXPECT_EQ(preferred, GetParam().preferred);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RootSelectionTest,
    testing::Values(RootCase{"defaults", u"", u"", "1234", "1234"},
                    RootCase{"only_JDK", u"only_JDK", u"", "13", "13"},
                    RootCase{"only_JDK_favor_jrockit", u"only_JDK", u"favor_jrockit", "136", "6"},
                    RootCase{"favor_JRE", u"favor_JRE", u"", "1234", "24"},
                    RootCase{"unrecognised_source", u"bogus", u"favor_sun", "", ""},
                    RootCase{"provider_any", u"", u"any", "1234567", ""},
                    RootCase{"favor_jrockit", u"", u"FAVOR_JRockit", "1234567", "56"},
                    RootCase{"jrockit_only_JRE", u"only_JRE", u"jrockit", "5", "5"},
                    RootCase{"ibm", u"", u"ibm", "7", "7"}),
    [](const testing::TestParamInfo<RootCase>& info) { return info.param.name; });

// A vendor row as "<vendor key>\<JDK, JRE or name> <VM>", e.g. "Semeru\JDK openj9".
std::string VendorRowName(const RegistryRoot& root) {
  Text key = Text(root.key).substr(9);  // after "Software\"
  key.pop_back();
  Text entry = root.entryKey;
  Text name = key + (entry.empty() ? Text() : u" " + entry.substr(0, entry.find(u'\\')));
  return std::string(name.begin(), name.end());
}

struct VendorRootCase {
  const char* name;
  const char16_t* jvmSource;
  const char16_t* vmProvider;
  std::vector<std::string> searched;
  std::vector<std::string> preferred;  // of a kit and of a runtime, for rows of either kind
};

class VendorRootSelectionTest : public testing::TestWithParam<VendorRootCase> {};

// HotSpot builds are JavaSoft-kind runtimes and OpenJ9 builds IBM-kind; JDK and JRE keys are
// the two kinds, and a Zulu or Liberica entry is whichever its home shows.
TEST_P(VendorRootSelectionTest, SearchesVendorRowsAsTheirVmAndKind) {
  SearchPolicy policy = PolicyFor(GetParam().jvmSource, GetParam().vmProvider);
  std::vector<std::string> searched, preferred;
  for (const RegistryRoot& root : kVendorRoots) {
    if (IsRootSearched(root, policy)) searched.push_back(VendorRowName(root));
    if (root.kind == RuntimeKind::Either) {
      for (RuntimeKind kind : {RuntimeKind::Jdk, RuntimeKind::Jre}) {
        if (IsSearched(root.vendor, kind, policy) && IsPreferred(root.vendor, kind, policy)) {
          preferred.push_back(VendorRowName(root) + (kind == RuntimeKind::Jdk ? " kit" : " jre"));
        }
      }
    } else if (IsRootPreferred(root, policy)) {
      preferred.push_back(VendorRowName(root));
    }
  }
  EXPECT_EQ(searched, GetParam().searched);
  EXPECT_EQ(preferred, GetParam().preferred);
}

const std::vector<std::string> kHotSpotRows = {
    "Eclipse Adoptium\\JDK hotspot",   "Eclipse Adoptium\\JRE hotspot",
    "Eclipse Foundation\\JDK hotspot", "Eclipse Foundation\\JRE hotspot",
    "AdoptOpenJDK\\JDK hotspot",       "AdoptOpenJDK\\JRE hotspot",
    "Microsoft\\JDK hotspot",          "Azul Systems\\Zulu",
    "BellSoft\\Liberica"};
const std::vector<std::string> kOpenJ9Rows = {
    "Eclipse Adoptium\\JDK openj9", "Eclipse Adoptium\\JRE openj9", "AdoptOpenJDK\\JDK openj9",
    "AdoptOpenJDK\\JRE openj9",     "Semeru\\JDK openj9",           "Semeru\\JRE openj9"};

INSTANTIATE_TEST_SUITE_P(
    Cases, VendorRootSelectionTest,
    testing::Values(
        VendorRootCase{"defaults_hotspot_only", u"", u"", kHotSpotRows,
                       {"Eclipse Adoptium\\JDK hotspot", "Eclipse Adoptium\\JRE hotspot",
                        "Eclipse Foundation\\JDK hotspot", "Eclipse Foundation\\JRE hotspot",
                        "AdoptOpenJDK\\JDK hotspot", "AdoptOpenJDK\\JRE hotspot",
                        "Microsoft\\JDK hotspot", "Azul Systems\\Zulu kit",
                        "Azul Systems\\Zulu jre", "BellSoft\\Liberica kit",
                        "BellSoft\\Liberica jre"}},
        VendorRootCase{"only_JRE_reads_runtime_keys_and_either_kind",
                       u"only_JRE",
                       u"",
                       {"Eclipse Adoptium\\JRE hotspot", "Eclipse Foundation\\JRE hotspot",
                        "AdoptOpenJDK\\JRE hotspot", "Azul Systems\\Zulu",
                        "BellSoft\\Liberica"},
                       {"Eclipse Adoptium\\JRE hotspot", "Eclipse Foundation\\JRE hotspot",
                        "AdoptOpenJDK\\JRE hotspot", "Azul Systems\\Zulu jre",
                        "BellSoft\\Liberica jre"}},
        VendorRootCase{"ibm_reads_openj9_builds_only", u"", u"ibm", kOpenJ9Rows, kOpenJ9Rows},
        VendorRootCase{"jrockit_reads_none", u"", u"jrockit", {}, {}},
        VendorRootCase{"unrecognised_source_reads_none", u"JDK", u"any", {}, {}}),
    [](const testing::TestParamInfo<VendorRootCase>& info) { return info.param.name; });

struct ProbeCase {
  const char* name;
  int root;  // 1-based, as in the table
  JvmType configured;
  JvmType probed;
};

class EntryProbeTypeTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(EntryProbeTypeTest, DropsServerPreferenceOnlyForTheJavaSoftRuntimeRoot) {
  EXPECT_EQ(EntryProbeType(kRegistryRoots[GetParam().root - 1], GetParam().configured),
            GetParam().probed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryProbeTypeTest,
    testing::Values(ProbeCase{"root4_favor_server", 4, JvmType::FavorServer, JvmType::Any},
                    ProbeCase{"root4_server", 4, JvmType::Server, JvmType::Server},
                    ProbeCase{"root2_favor_server", 2, JvmType::FavorServer,
                              JvmType::FavorServer},
                    ProbeCase{"root5_favor_server", 5, JvmType::FavorServer,
                              JvmType::FavorServer}),
    [](const testing::TestParamInfo<ProbeCase>& info) { return info.param.name; });

std::vector<uint8_t> Utf16Bytes(const Text& text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

struct HomeCase {
  const char* name;
  std::vector<uint8_t> bytes;
  int root;
  Text home;
};

class HomeFromValueTest : public testing::TestWithParam<HomeCase> {};

TEST_P(HomeFromValueTest, TakesTextToFirstNulWithTrailingBackslash) {
  EXPECT_EQ(HomeFromValue(GetParam().bytes, kRegistryRoots[GetParam().root - 1]),
            GetParam().home);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HomeFromValueTest,
    testing::Values(
        HomeCase{"terminated_string", Utf16Bytes(Text(u"C:\\Java\\jre8") + u'\0'), 4,
                 u"C:\\Java\\jre8\\"},
        HomeCase{"trailing_backslash_kept_once", Utf16Bytes(Text(u"C:\\Java\\") + u'\0'), 2,
                 u"C:\\Java\\"},
        HomeCase{"without_nul", Utf16Bytes(u"C:\\Java"), 1, u"C:\\Java\\"},
        HomeCase{"cut_at_inner_nul", Utf16Bytes(Text(u"C:\\A") + u'\0' + u"B"), 1, u"C:\\A\\"},
        HomeCase{"development_kit", Utf16Bytes(Text(u"C:\\JDK") + u'\0'), 3, u"C:\\JDK\\jre\\"},
        HomeCase{"jrockit_kit_with_backslash", Utf16Bytes(Text(u"C:\\JRockit\\") + u'\0'), 6,
                 u"C:\\JRockit\\jre\\"},
        HomeCase{"javasoft_jdk_unchanged", Utf16Bytes(Text(u"C:\\JDK") + u'\0'), 1,
                 u"C:\\JDK\\"},
        HomeCase{"odd_last_byte_dropped", {'C', 0, ':', 0, 'X'}, 1, u"C:\\"},
        HomeCase{"empty_string", {0, 0}, 7, u"\\"},
        HomeCase{"not_text", {1, 0, 0, 0}, 4, u"\x01\\"},
        HomeCase{"non_ascii", Utf16Bytes(u"C:\\J\u00e4v\u0101"), 4, u"C:\\J\u00e4v\u0101\\"}),
    [](const testing::TestParamInfo<HomeCase>& info) { return info.param.name; });

// Today's kits hold their runtime themselves: no "jre\\" below them; and the home value sits
// in the layout's own key below the version sub-key.
TEST(VendorEntryTest, KitHomeIsTheKitAndItsKeyIsTheLayouts) {
  for (const RegistryRoot& root : kVendorRoots) {
    EXPECT_EQ(HomeFromValue(Utf16Bytes(Text(u"C:\\jdk-17") + u'\0'), root), u"C:\\jdk-17\\");
  }
  RuntimeCandidate temurin{VersionNumber{}, Text(), false, false, &kVendorRoots[0], u"17.0.9.9"};
  EXPECT_EQ(EntryKeyBelowRoot(temurin), u"17.0.9.9\\hotspot\\MSI");
  RuntimeCandidate zulu{VersionNumber{}, Text(), false, false, &kVendorRoots[13], u"zulu-17"};
  EXPECT_EQ(EntryKeyBelowRoot(zulu), u"zulu-17");
  RuntimeCandidate classic{VersionNumber{}, Text(), false, false, &kRegistryRoots[3], u"1.8"};
  EXPECT_EQ(EntryKeyBelowRoot(classic), u"1.8");
}

struct AdmissionCase {
  const char* name;
  Text version, minimum, maximum;
  bool admitted;
};

class VersionAdmissionTest : public testing::TestWithParam<AdmissionCase> {};

TEST_P(VersionAdmissionTest, AdmitsBetweenInclusiveBounds) {
  const AdmissionCase& c = GetParam();
  EXPECT_EQ(IsVersionAdmitted(ParseVersion(c.version, 0), ParseVersion(c.minimum, 0),
                              ParseVersion(c.maximum, kVersionUnbounded)),
            c.admitted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionAdmissionTest,
    testing::Values(AdmissionCase{"lower_bound", u"1.6", u"1.6", u"1.8", true},
                    AdmissionCase{"update_inside_upper_bound", u"1.8.0_201", u"1.6", u"1.8",
                                  true},
                    AdmissionCase{"below", u"1.5.0_22", u"1.6", u"1.8", false},
                    AdmissionCase{"above", u"9.0.4", u"1.6", u"1.8", false},
                    AdmissionCase{"maximum_absent", u"1.8", u"", u"", false},
                    AdmissionCase{"not_a_version_with_maximum_absent", u"latest", u"", u"",
                                  true}),
    [](const testing::TestParamInfo<AdmissionCase>& info) { return info.param.name; });

RuntimeCandidate Candidate(const Text& version, const Text& home, bool server = false,
                           bool preferred = false) {
  return RuntimeCandidate{ParseVersion(version, 0), home, server, preferred};
}

TextList Homes(const std::vector<RuntimeCandidate>& list) {
  TextList homes;
  for (const RuntimeCandidate& c : list) homes.push_back(c.home);
  return homes;
}

struct RankCase {
  const char* name;
  bool favorSource;
  JvmType type;
  std::vector<RuntimeCandidate> collected;
  TextList ranked;  // homes, best first
};

class RankCandidatesTest : public testing::TestWithParam<RankCase> {};

TEST_P(RankCandidatesTest, OrdersByPreferenceServerAndVersion) {
  std::vector<RuntimeCandidate> list = GetParam().collected;
  RankCandidates(list, GetParam().favorSource, GetParam().type);
  EXPECT_EQ(Homes(list), GetParam().ranked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankCandidatesTest,
    testing::Values(
        RankCase{"newest_first",
                 true,
                 JvmType::Any,
                 {Candidate(u"1.7.0_80", u"a"), Candidate(u"11.0.2", u"b"),
                  Candidate(u"1.8.0_201", u"c")},
                 {u"b", u"c", u"a"}},
        RankCase{"preferred_above_newer",
                 true,
                 JvmType::Any,
                 {Candidate(u"17", u"jdk"), Candidate(u"1.8", u"jre", false, true)},
                 {u"jre", u"jdk"}},
        RankCase{"preference_ignored_without_favor_source",
                 false,
                 JvmType::Any,
                 {Candidate(u"1.8", u"jre", false, true), Candidate(u"17", u"jdk")},
                 {u"jdk", u"jre"}},
        RankCase{"server_above_newer_under_favor_server",
                 true,
                 JvmType::FavorServer,
                 {Candidate(u"17", u"client"), Candidate(u"1.8", u"server", true)},
                 {u"server", u"client"}},
        RankCase{"server_ignored_otherwise",
                 true,
                 JvmType::Server,
                 {Candidate(u"1.8", u"server", true), Candidate(u"17", u"client")},
                 {u"client", u"server"}},
        RankCase{"preference_before_server",
                 true,
                 JvmType::FavorServer,
                 {Candidate(u"17", u"server", true), Candidate(u"1.8", u"preferred", false, true)},
                 {u"preferred", u"server"}},
        RankCase{"equal_keys_keep_collection_order",
                 true,
                 JvmType::Any,
                 {Candidate(u"1.8", u"first"), Candidate(u"11", u"newest"),
                  Candidate(u"1.8.0", u"second"), Candidate(u"1.8", u"third")},
                 {u"newest", u"first", u"second", u"third"}},
        RankCase{"two_sub_keys_for_one_folder",
                 true,
                 JvmType::Any,
                 {Candidate(u"1.8", u"same"), Candidate(u"1.8.0_201", u"same201")},
                 {u"same201", u"same"}},
        RankCase{"empty", true, JvmType::Any, {}, {}}),
    [](const testing::TestParamInfo<RankCase>& info) { return info.param.name; });

// The order is defined by an adjacent-exchange sort of n passes that swaps neighbours only
// when the later one ranks strictly higher; the ranking must give exactly that order.
void AdjacentExchangeRank(std::vector<RuntimeCandidate>& list, bool favorSource, JvmType type) {
  auto key = [&](const RuntimeCandidate& c) {
    return std::make_tuple(favorSource && c.preferred, type == JvmType::FavorServer && c.server,
                           c.version.first, c.version.second, c.version.third, c.version.fourth);
  };
  for (size_t pass = 0; pass < list.size(); ++pass) {
    for (size_t i = 0; i + 1 < list.size(); ++i) {
      if (key(list[i + 1]) > key(list[i])) std::swap(list[i], list[i + 1]);
    }
  }
}

TEST(RankCandidatesTest, EqualsAdjacentExchangeOrder) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    std::vector<RuntimeCandidate> list;
    size_t count = random() % 40;
    for (size_t i = 0; i < count; ++i) {
      // Few distinct versions and flags, so that many keys tie.
      VersionNumber version{1, static_cast<int32_t>(random() % 3 + 6), 0,
                            static_cast<int32_t>(random() % 3)};
      list.push_back(RuntimeCandidate{version, DecimalText(static_cast<long long>(i)),
                                      random() % 2 == 0, random() % 2 == 0});
    }
    bool favorSource = round % 2 == 0;
    JvmType type = round % 3 == 0 ? JvmType::FavorServer : JvmType::Any;
    std::vector<RuntimeCandidate> expected = list;
    AdjacentExchangeRank(expected, favorSource, type);
    RankCandidates(list, favorSource, type);
    ASSERT_EQ(Homes(list), Homes(expected)) << "round " << round;
  }
}

std::vector<RuntimeCandidate> RankedList() {
  return {Candidate(u"11.0.2", u"11"), Candidate(u"1.8.0_201", u"8u201"),
          Candidate(u"1.8.0_192", u"8u192"), Candidate(u"1.7.0_80", u"7")};
}

// Passes every candidate except those named, and notes which it was asked about.
struct CheckLog {
  TextList failing;
  TextList asked;
  CandidateCheck Check() {
    return [this](RuntimeCandidate& candidate) {
      asked.push_back(candidate.home);
      return std::find(failing.begin(), failing.end(), candidate.home) == failing.end();
    };
  }
};

struct ChoiceCase {
  const char* name;
  TextList preferredVersions;
  TextList failing;       // candidates whose entries hold no runtime library
  const char16_t* chosen;  // home of the chosen candidate, null for none
  TextList asked;         // candidates checked, in order
};

class ChooseCandidateTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseCandidateTest, TakesEarliestMatchingPreferenceElseTopCheckingOnlyWhatItNeeds) {
  std::vector<RuntimeCandidate> ranked = RankedList();
  CheckLog log{GetParam().failing, {}};
  const RuntimeCandidate* chosen = ChooseCandidate(ranked, GetParam().preferredVersions,
                                                   log.Check());
  if (GetParam().chosen == nullptr) {
    EXPECT_EQ(chosen, nullptr);
  } else {
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->home, GetParam().chosen);
  }
  EXPECT_EQ(log.asked, GetParam().asked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseCandidateTest,
    testing::Values(
        ChoiceCase{"no_preference", {}, {}, u"11", {u"11"}},
        ChoiceCase{"earliest_entry_wins", {u"1.7", u"1.8"}, {}, u"7", {u"7"}},
        ChoiceCase{"best_ranked_match_of_a_family", {u"1.8"}, {}, u"8u201", {u"8u201"}},
        ChoiceCase{"exact_update", {u"1.8.0_192"}, {}, u"8u192", {u"8u192"}},
        ChoiceCase{"unmatched_falls_back_to_top", {u"1.6"}, {}, u"11", {u"11"}},
        ChoiceCase{"unmatched_then_matched", {u"1.6", u"1.7"}, {}, u"7", {u"7"}},
        ChoiceCase{"empty_entry_matches_top", {u"", u"1.7"}, {}, u"11", {u"11"}},
        ChoiceCase{"failing_top_gives_the_next", {}, {u"11"}, u"8u201", {u"11", u"8u201"}},
        ChoiceCase{"failing_member_of_a_family", {u"1.8"}, {u"8u201"}, u"8u192",
                   {u"8u201", u"8u192"}},
        ChoiceCase{"preference_without_a_passing_match_moves_on", {u"1.7", u"1.8"}, {u"7"},
                   u"8u201", {u"7", u"8u201"}},
        ChoiceCase{"each_checked_once", {u"1.8", u"1.8.0_201"}, {u"8u201", u"8u192"}, u"11",
                   {u"8u201", u"8u192", u"11"}},
        ChoiceCase{"none_passes", {u"1.8"}, {u"11", u"8u201", u"8u192", u"7"}, nullptr,
                   {u"8u201", u"8u192", u"11", u"7"}}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(ChooseCandidateTest, EmptyListChoosesNothing) {
  std::vector<RuntimeCandidate> none;
  CheckLog log;
  EXPECT_EQ(ChooseCandidate(none, {u"1.8"}, log.Check()), nullptr);
}

// Checking lazily must choose what checking every candidate first, then choosing among those
// that pass, chooses.
TEST(ChooseCandidateTest, EqualsChoosingAmongCandidatesCheckedFirst) {
  std::mt19937 random(7321);
  const Text patterns[] = {u"1.6", u"1.7", u"1.8", u"1.8.0_2", u"", u"9"};
  for (int round = 0; round < 300; ++round) {
    std::vector<RuntimeCandidate> ranked;
    TextList failing;
    for (size_t i = 0, count = random() % 12; i < count; ++i) {
      VersionNumber version{1, static_cast<int32_t>(random() % 4 + 6), 0,
                            static_cast<int32_t>(random() % 3)};
      Text home = DecimalText(static_cast<long long>(i));
      ranked.push_back(RuntimeCandidate{version, home});
      if (random() % 3 == 0) failing.push_back(home);
    }
    TextList preferences;
    for (size_t i = 0, count = random() % 3; i < count; ++i) {
      preferences.push_back(patterns[random() % std::size(patterns)]);
    }
    CheckLog log{failing, {}};
    std::vector<RuntimeCandidate> passing;
    for (RuntimeCandidate& candidate : ranked) {
      if (log.Check()(candidate)) passing.push_back(candidate);
    }
    CheckLog all;
    const RuntimeCandidate* eager = ChooseCandidate(passing, preferences, all.Check());
    CheckLog lazyLog{failing, {}};
    const RuntimeCandidate* lazy = ChooseCandidate(ranked, preferences, lazyLog.Check());
    ASSERT_EQ(lazy == nullptr, eager == nullptr) << "round " << round;
    if (lazy) ASSERT_EQ(lazy->home, eager->home) << "round " << round;
  }
}

}  // namespace
