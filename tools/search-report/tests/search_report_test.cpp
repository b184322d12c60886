// The report's wording: each verdict with its reason, and entries grouped under their roots.
#include "search_report.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/mapped_file.h"

namespace {

std::string Narrow(const Text& text) { return std::string(text.begin(), text.end()); }

SearchPolicy Bounded() {
  SearchPolicy policy;
  policy.minVersion = ParseVersion(u"11", 0);
  policy.maxVersion = ParseVersion(u"17", kVersionUnbounded);
  policy.jvmType = JvmType::Server;
  return policy;
}

const RegistryRoot& Temurin() { return kVendorRoots[0]; }  // Eclipse Adoptium\JDK, HotSpot
const RegistryRoot& Zulu() { return kVendorRoots[13]; }

RuntimeCandidate Entry(const RegistryRoot& root, const Text& name, const Text& home = Text()) {
  RuntimeCandidate entry{ParseVersion(name, 0), home, false, false, &root, name};
  entry.kind = RuntimeKind::Jdk;
  return entry;
}

struct VerdictCase {
  const char* name;
  EntryVerdict verdict;
  bool zulu;
  const char* text;
};

class DescribeVerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(DescribeVerdictTest, NamesTheReason) {
  RuntimeCandidate entry = Entry(GetParam().zulu ? Zulu() : Temurin(), u"21.0.1");
  EXPECT_EQ(Narrow(DescribeVerdict(GetParam().verdict, entry, Bounded())), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DescribeVerdictTest,
    testing::Values(
        VerdictCase{"admitted", EntryVerdict::Admitted, false, "admitted"},
        VerdictCase{"outside_range", EntryVerdict::OutsideRange, false,
                    "not admitted: outside the version range 11.0 to 17.65535"},
        VerdictCase{"unknown_version", EntryVerdict::UnknownVersion, true,
                    "not admitted: version unknown, and the version range has a bound"},
        VerdictCase{"kind", EntryVerdict::KindNotWanted, true,
                    "not admitted: JVM Source does not want a kit"},
        VerdictCase{"no_home_names_the_layouts_value", EntryVerdict::NoHome, true,
                    "not admitted: no InstallationPath value"},
        VerdictCase{"no_library", EntryVerdict::NoLibrary, false,
                    "not admitted: no runtime library for JVM Type server"}),
    [](const testing::TestParamInfo<VerdictCase>& info) { return info.param.name; });

TEST(SearchReportTest, GroupsEntriesUnderPresentRootsAndNamesTheChoice) {
  SearchPolicy policy = Bounded();
  Text pair;
  SearchReport report(policy, pair);
  const os::RegistryView view = os::RegistryView::Default;
  report.Pass(RegistrySet::Vendors, view);
  report.Root(os::RegistryHive::LocalMachine, view, Temurin().key, true);
  report.Root(os::RegistryHive::LocalMachine, view, Zulu().key, false);
  report.Root(os::RegistryHive::CurrentUser, view, Temurin().key, true);
  RuntimeCandidate outside = Entry(Temurin(), u"21.0.1.12");
  report.Entry(view, outside, EntryVerdict::OutsideRange);
  RuntimeCandidate chosen = Entry(Temurin(), u"17.0.9.9", u"C:\\t17\\");
  chosen.hive = os::RegistryHive::CurrentUser;
  chosen.server = true;
  report.Entry(view, chosen, EntryVerdict::Admitted);
  report.Chosen(view, &chosen);
  std::string view32 = os::kLoadableMachine == 0x014C ? "32-bit view" : "64-bit view";
  EXPECT_EQ(Narrow(report.Lines()),
            "Registry, vendor roots, " + view32 +
                ":\n"
                "  HKLM\\Software\\Eclipse Adoptium\\JDK\\\n"
                "    21.0.1.12\\hotspot\\MSI: version 21.0.1.12, kit: not admitted: outside the "
                "version range 11.0 to 17.65535\n"
                "  HKCU\\Software\\Eclipse Adoptium\\JDK\\\n"
                "    17.0.9.9\\hotspot\\MSI: home C:\\t17\\, version 17.0.9.9, kit: admitted, "
                "server VM\n"
                "  keys not present: 1 of 3\n"
                "  chosen: HKCU\\Software\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI\n");
}

}  // namespace
