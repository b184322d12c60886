// Helpers on UTF-16 text: white space, trimming, case-blind comparison, UTF-8 and decimals.
#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct SpaceCase {
  const char* name;
  char16_t c;
  bool isSpace;
};

class IsWideSpaceTest : public testing::TestWithParam<SpaceCase> {};

TEST_P(IsWideSpaceTest, FollowsTheWindowsRuntimeClassification) {
  EXPECT_EQ(IsWideSpace(GetParam().c), GetParam().isSpace);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsWideSpaceTest,
    testing::Values(SpaceCase{"space", u' ', true}, SpaceCase{"tab", u'\t', true},
                    SpaceCase{"line_feed", u'\n', true}, SpaceCase{"vertical_tab", u'\v', true},
                    SpaceCase{"form_feed", u'\f', true},
                    SpaceCase{"carriage_return", u'\r', true},
                    SpaceCase{"no_break_space", u'\u00A0', true},
                    SpaceCase{"ogham_space", u'\u1680', true},
                    SpaceCase{"en_quad", u'\u2000', true}, SpaceCase{"hair_space", u'\u200A', true},
                    SpaceCase{"line_separator", u'\u2028', true},
                    SpaceCase{"narrow_no_break_space", u'\u202F', true},
                    SpaceCase{"ideographic_space", u'\u3000', true},
                    SpaceCase{"next_line_is_not", u'\u0085', false},
                    SpaceCase{"zero_width_space_is_not", u'\u200B', false},
                    SpaceCase{"byte_order_mark_is_not", u'\uFEFF', false},
                    SpaceCase{"unit_separator_is_not", u'\x1F', false},
                    SpaceCase{"nul_is_not", u'\0', false}, SpaceCase{"letter", u'a', false}),
    [](const testing::TestParamInfo<SpaceCase>& info) { return info.param.name; });

TEST(TrimTest, RemovesWhiteSpaceAtBothEndsOnly) {
  EXPECT_EQ(Trim(u" \t a b \r\n"), u"a b");
  EXPECT_EQ(Trim(u"\u3000x\u00A0"), u"x");
  EXPECT_EQ(Trim(u" \n "), u"");
  EXPECT_EQ(Trim(u"\u200Bx"), u"\u200Bx");
}

TEST(EqualsIgnoreCaseTest, FoldsAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoreCase(u"JRockit", u"jrockit"));
  EXPECT_TRUE(EqualsIgnoreCase(u"FAVOR_IBM", u"favor_ibm"));
  EXPECT_FALSE(EqualsIgnoreCase(u"jrockit ", u"jrockit"));
  EXPECT_FALSE(EqualsIgnoreCase(u"[", u"{"));  // 0x5B and 0x7B differ by the case bit only
  EXPECT_FALSE(EqualsIgnoreCase(u"", u"x"));
}

struct Utf8Case {
  const char* name;
  ByteString utf8;
  Text text;
};

class Utf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, Decodes) {
  EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Test,
    testing::Values(Utf8Case{"ascii", "C:\\a b", u"C:\\a b"},
                    Utf8Case{"two_bytes", "caf\xc3\xa9", u"caf\u00e9"},
                    Utf8Case{"three_bytes", "\xe4\xb8\xad", u"\u4e2d"},
                    Utf8Case{"four_bytes_to_surrogates", "\xf0\x9f\x98\x80", u"\U0001F600"},
                    Utf8Case{"stray_continuation", "a\x80" "b", u"a\uFFFD" u"b"},
                    Utf8Case{"cut_sequence", "a\xe4\xb8", u"a\uFFFD\uFFFD"},
                    Utf8Case{"bad_continuation", "\xc3(", u"\uFFFD("},
                    Utf8Case{"beyond_unicode", "\xf7\xbf\xbf\xbf", u"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const testing::TestParamInfo<Utf8Case>& info) { return info.param.name; });

TEST(Utf8Test, ValidTextRoundTrips) {
  const Text text = u"Z:\\caf\u00e9\\\u4e2d\U0001F600.ini";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
}

TEST(DecimalTextTest, PrintsSignedValues) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(1063), u"1063");
  EXPECT_EQ(DecimalText(-1), u"-1");
  EXPECT_EQ(DecimalText(LLONG_MIN), u"-9223372036854775808");
}

}  // namespace
