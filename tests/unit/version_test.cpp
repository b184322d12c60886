// Version numbers: parsing, ordering, preference matching, printing and the required-version
// phrase.
#include "runtime/version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Versions compare as their four components in dotted form, which also reads well in a failure.
std::string Dotted(const VersionNumber& v) {
  return std::to_string(v.first) + '.' + std::to_string(v.second) + '.' +
         std::to_string(v.third) + '.' + std::to_string(v.fourth);
}

constexpr int32_t U = kVersionUnbounded;

struct ParseCase {
  const char* name;
  Text text;
  int32_t fill;
  VersionNumber expected;
};

class ParseVersionTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseVersionTest, ReadsUpToFourNumbers) {
  EXPECT_EQ(Dotted(ParseVersion(GetParam().text, GetParam().fill)), Dotted(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseVersionTest,
    testing::Values(
        ParseCase{"update_number", u"1.8.0_201", 0, {1, 8, 0, 201}},
        ParseCase{"folder_name", u"jre1.8.0_201-b09", 0, {1, 8, 0, 201}},
        ParseCase{"three_parts", u"11.0.2", 0, {11, 0, 2, 0}},
        ParseCase{"maximum_fill", u"1.8", U, {1, 8, U, U}},
        ParseCase{"major_only", u"17", 0, {17, 0, 0, 0}},
        ParseCase{"fifth_part_ignored", u"1.2.3.4.5", 0, {1, 2, 3, 4}},
        ParseCase{"empty_ignores_fill", u"", U, {0, 0, 0, 0}},
        ParseCase{"no_digits_ignores_fill", u"latest", U, {0, 0, 0, 0}},
        ParseCase{"any_in_capitals", u"Any", U, {0, 0, 0, 0}},
        ParseCase{"any_separator", u"v 9-x 1", 0, {9, 1, 0, 0}},
        ParseCase{"minus_only_separates", u"-5", 0, {5, 0, 0, 0}},
        ParseCase{"leading_zeros", u"01.008", 0, {1, 8, 0, 0}},
        ParseCase{"many_leading_zeros", u"000000000001", 0, {1, 0, 0, 0}},
        ParseCase{"largest_component", u"2147483647.1", 0, {2147483647, 1, 0, 0}},
        // The two ten-digit values the guard lets through do not fit 32 bits: failed parse.
        ParseCase{"just_too_large", u"2147483648", U, {0, 0, 0, 0}},
        ParseCase{"guard_limit", u"1.2147483649", U, {0, 0, 0, 0}},
        ParseCase{"ten_digits_past_guard", u"2147483650", 0, {0, 0, 0, 0}},
        ParseCase{"eleven_digits", u"1.8.0_12345678901", 0, {0, 0, 0, 0}},
        ParseCase{"overflow_after_four_parts_ignored", u"1.2.3.4.99999999999", 0, {1, 2, 3, 4}},
        ParseCase{"non_ascii_digits_separate", u"1\u0663" u"2", 0, {1, 2, 0, 0}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

struct CompareCase {
  const char* name;
  VersionNumber a, b;
  int expected;
};

class CompareVersionsTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareVersionsTest, FirstDifferingComponentDecides) {
  EXPECT_EQ(CompareVersions(GetParam().a, GetParam().b), GetParam().expected);
  EXPECT_EQ(CompareVersions(GetParam().b, GetParam().a), -GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareVersionsTest,
    testing::Values(CompareCase{"equal", {1, 8, 0, 201}, {1, 8, 0, 201}, 0},
                    CompareCase{"major", {9, 0, 0, 0}, {1, 8, 0, 201}, 1},
                    CompareCase{"fourth", {1, 8, 0, 200}, {1, 8, 0, 201}, -1},
                    CompareCase{"numbers_not_text", {1, 10, 0, 0}, {1, 9, 0, 0}, 1},
                    CompareCase{"inside_unbounded_maximum", {1, 8, 0, 201}, {1, 8, U, U}, -1},
                    CompareCase{"largest_components", {2147483647, 0, 0, 0}, {0, U, U, U}, 1}),
    [](const testing::TestParamInfo<CompareCase>& info) { return info.param.name; });

struct MatchCase {
  const char* name;
  VersionNumber version, pattern;
  bool expected;
};

class MatchesVersionTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchesVersionTest, TrailingZerosOfThePatternMatchAnything) {
  EXPECT_EQ(MatchesVersion(GetParam().version, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchesVersionTest,
    testing::Values(MatchCase{"family_matches_update", {1, 8, 0, 201}, {1, 8, 0, 0}, true},
                    MatchCase{"family_matches_minor", {1, 8, 5, 0}, {1, 8, 0, 0}, true},
                    MatchCase{"other_family", {1, 7, 0, 80}, {1, 8, 0, 0}, false},
                    MatchCase{"exact_update", {1, 8, 0, 201}, {1, 8, 0, 201}, true},
                    MatchCase{"other_update", {1, 8, 0, 202}, {1, 8, 0, 201}, false},
                    MatchCase{"empty_pattern_matches_all", {11, 0, 2, 0}, {0, 0, 0, 0}, true},
                    // Only 0 is a wildcard: an unbounded part of the pattern must match.
                    MatchCase{"unbounded_is_no_wildcard", {1, 8, 0, 201}, {1, 8, U, U}, false},
                    // An inner 0 is compared; only the trailing ones are wildcards.
                    MatchCase{"inner_zero_compared", {1, 8, 1, 5}, {1, 0, 0, 5}, false},
                    MatchCase{"inner_zero_equal", {1, 0, 3, 5}, {1, 0, 3, 0}, true}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(IsUnsetVersionTest, OnlyAllZeroOrAllUnbounded) {
  EXPECT_TRUE(IsUnsetVersion({0, 0, 0, 0}));
  EXPECT_TRUE(IsUnsetVersion({U, U, U, U}));
  EXPECT_FALSE(IsUnsetVersion({1, 8, U, U}));
  EXPECT_FALSE(IsUnsetVersion({0, 0, 0, U}));
  EXPECT_FALSE(IsUnsetVersion({0, 0, 0, 1}));
}

struct FormatVersionCase {
  const char* name;
  VersionNumber version;
  Text expected;
};

class FormatVersionTest : public testing::TestWithParam<FormatVersionCase> {};

TEST_P(FormatVersionTest, PrintsUpToTheLastMeaningfulComponent) {
  EXPECT_EQ(FormatVersion(GetParam().version), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatVersionTest,
    testing::Values(FormatVersionCase{"update", {1, 8, 0, 201}, u"1.8.0.201"},
                    FormatVersionCase{"family_minimum", {1, 8, 0, 0}, u"1.8"},
                    FormatVersionCase{"family_maximum", {1, 8, U, U}, u"1.8"},
                    FormatVersionCase{"at_least_two_components", {9, 0, 0, 0}, u"9.0"},
                    FormatVersionCase{"stored_unbounded_value_printed", {9, U, U, U}, u"9.65535"},
                    FormatVersionCase{"inner_unbounded_value_printed", {1, U, 3, 0}, u"1.65535.3"},
                    FormatVersionCase{"only_fourth", {0, 0, 0, 5}, u"0.0.0.5"},
                    FormatVersionCase{"zero", {0, 0, 0, 0}, u"0.0.0.0"},
                    FormatVersionCase{"unbounded", {U, U, U, U}, u"0.0.0.0"}),
    [](const testing::TestParamInfo<FormatVersionCase>& info) { return info.param.name; });

struct PhraseCase {
  const char* name;
  Text minimum, maximum;  // as the settings give them; "any" as the reader reads it
  Text expected;
};

VersionNumber Bound(const Text& text, bool isMaximum) {
  if (text == u"any") return isMaximum ? VersionNumber{U, U, U, U} : VersionNumber{};
  return ParseVersion(text, isMaximum ? U : 0);
}

class DescribeRequiredVersionTest : public testing::TestWithParam<PhraseCase> {};

TEST_P(DescribeRequiredVersionTest, NamesTheRange) {
  EXPECT_EQ(DescribeRequiredVersion(Bound(GetParam().minimum, false),
                                    Bound(GetParam().maximum, true)),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DescribeRequiredVersionTest,
    testing::Values(PhraseCase{"both_any", u"any", u"any", u"versi terbaru"},
                    PhraseCase{"both_absent", u"", u"", u"versi terbaru"},
                    PhraseCase{"range", u"1.6", u"1.8", u"versi antara 1.6 dan 1.8"},
                    PhraseCase{"same_family", u"1.8", u"1.8", u"versi antara 1.8 dan 1.8"},
                    PhraseCase{"one_version", u"1.8.0_201", u"1.8.0_201",
                               u"diperlukan versi 1.8.0.201"},
                    PhraseCase{"maximum_only", u"", u"11", u"versi maksimum 11.65535"},
                    PhraseCase{"minimum_only", u"1.7", u"any", u"versi minimum 1.7"},
                    PhraseCase{"minimum_with_absent_maximum", u"9", u"", u"versi minimum 9.0"}),
    [](const testing::TestParamInfo<PhraseCase>& info) { return info.param.name; });

}  // namespace
