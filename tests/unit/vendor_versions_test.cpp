// Versions of today's runtimes: installer numbers, release files, the 1.x names before 9, and
// what a range makes of a version that could not be read.
#include "runtime/vendor_versions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Dotted(const VersionNumber& v) {
  return std::to_string(v.first) + '.' + std::to_string(v.second) + '.' +
         std::to_string(v.third) + '.' + std::to_string(v.fourth);
}

constexpr int32_t U = kVersionUnbounded;

struct LegacyCase {
  const char* name;
  VersionNumber version;
  VersionNumber expected;
};

class WithLegacyPrefixTest : public testing::TestWithParam<LegacyCase> {};

TEST_P(WithLegacyPrefixTest, NamesRuntimesBeforeNineAsOnePointMajor) {
  EXPECT_EQ(Dotted(WithLegacyPrefix(GetParam().version)), Dotted(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithLegacyPrefixTest,
    testing::Values(LegacyCase{"eight_drops_the_build", {8, 0, 392, 8}, {1, 8, 0, 392}},
                    LegacyCase{"two", {2, 1, 0, 0}, {1, 2, 1, 0}},
                    LegacyCase{"already_one_point", {1, 8, 0, 201}, {1, 8, 0, 201}},
                    LegacyCase{"nine_unchanged", {9, 0, 4, 1}, {9, 0, 4, 1}},
                    LegacyCase{"seventeen_unchanged", {17, 0, 9, 9}, {17, 0, 9, 9}},
                    LegacyCase{"zero_unchanged", {0, 0, 0, 0}, {0, 0, 0, 0}}),
    [](const testing::TestParamInfo<LegacyCase>& info) { return info.param.name; });

struct NumbersCase {
  const char* name;
  uint32_t major, minor, build;
  bool read;
  VersionNumber expected;
};

class VersionFromNumbersTest : public testing::TestWithParam<NumbersCase> {};

TEST_P(VersionFromNumbersTest, TakesMajorMinorBuild) {
  VersionNumber version{7, 7, 7, 7};
  const NumbersCase& c = GetParam();
  EXPECT_EQ(VersionFromNumbers(c.major, c.minor, c.build, version), c.read);
  EXPECT_EQ(Dotted(version), Dotted(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionFromNumbersTest,
    testing::Values(NumbersCase{"seventeen", 17, 0, 9, true, {17, 0, 9, 0}},
                    NumbersCase{"eight", 8, 0, 392, true, {1, 8, 0, 392}},
                    NumbersCase{"zero_major_is_no_version", 0, 0, 0, false, {7, 7, 7, 7}},
                    NumbersCase{"too_large", 17, 0x80000000u, 1, false, {7, 7, 7, 7}},
                    NumbersCase{"all_bits", 0xFFFFFFFFu, 0, 0, false, {7, 7, 7, 7}}),
    [](const testing::TestParamInfo<NumbersCase>& info) { return info.param.name; });

struct ReleaseCase {
  const char* name;
  std::string text;
  bool read;
  VersionNumber expected;
};

class VersionFromReleaseTextTest : public testing::TestWithParam<ReleaseCase> {};

TEST_P(VersionFromReleaseTextTest, ReadsTheJavaVersionLine) {
  VersionNumber version{7, 7, 7, 7};
  EXPECT_EQ(VersionFromReleaseText(GetParam().text, version), GetParam().read);
  EXPECT_EQ(Dotted(version), Dotted(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionFromReleaseTextTest,
    testing::Values(
        ReleaseCase{"quoted", "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"17.0.9\"\n", true,
                    {17, 0, 9, 0}},
        ReleaseCase{"crlf_and_blanks", "JAVA_VERSION = \"21.0.1\" \r\nOS_NAME=\"Windows\"\r\n",
                    true, {21, 0, 1, 0}},
        ReleaseCase{"unquoted_last_line_without_end", "JAVA_VERSION=11.0.21", true,
                    {11, 0, 21, 0}},
        ReleaseCase{"legacy_update", "JAVA_VERSION=\"1.8.0_392\"\n", true, {1, 8, 0, 392}},
        ReleaseCase{"longer_key_is_not_it", "JAVA_VERSION_DATE=\"2023-10-17\"\n", false,
                    {7, 7, 7, 7}},
        ReleaseCase{"later_line_found", "JAVA_RUNTIME_VERSION=\"17.0.9+9\"\nJAVA_VERSION=\"17\"",
                    true, {17, 0, 0, 0}},
        ReleaseCase{"no_digits", "JAVA_VERSION=\"latest\"\n", false, {7, 7, 7, 7}},
        ReleaseCase{"overflowing_number", "JAVA_VERSION=\"99999999999\"\n", false, {7, 7, 7, 7}},
        ReleaseCase{"empty", "", false, {7, 7, 7, 7}},
        ReleaseCase{"binary", std::string("\0\xff\x01JAVA_VERSION", 16), false, {7, 7, 7, 7}}),
    [](const testing::TestParamInfo<ReleaseCase>& info) { return info.param.name; });

struct UnknownCase {
  const char* name;
  VersionNumber minimum, maximum;
  bool admitted;
};

class UnknownVersionTest : public testing::TestWithParam<UnknownCase> {};

TEST_P(UnknownVersionTest, AdmittedOnlyWithoutBounds) {
  EXPECT_EQ(IsUnknownVersionAdmitted(GetParam().minimum, GetParam().maximum),
            GetParam().admitted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnknownVersionTest,
    testing::Values(UnknownCase{"any_and_any", {0, 0, 0, 0}, {U, U, U, U}, true},
                    UnknownCase{"absent_maximum", {0, 0, 0, 0}, {0, 0, 0, 0}, false},
                    UnknownCase{"minimum_set", {1, 8, 0, 0}, {U, U, U, U}, false},
                    UnknownCase{"maximum_set", {0, 0, 0, 0}, {17, U, U, U}, false}),
    [](const testing::TestParamInfo<UnknownCase>& info) { return info.param.name; });

}  // namespace
