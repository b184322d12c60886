// Decoding and checking what the tool writes: settings files, upgrade codes, key texts.
#include "settings_text.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
  const char* name;
  ByteString bytes;
  bool valid;
  Text text;              // when valid
  const char* errorPart;  // when not
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeSettingsFileTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeSettingsFileTest, DecodesValidTextAndNamesTheFault) {
  const DecodeCase& c = GetParam();
  Text text;
  Text error;
  ASSERT_EQ(DecodeSettingsFile(c.bytes, text, error), c.valid) << ToUtf8(error);
  if (c.valid) {
    EXPECT_EQ(text, c.text);
  } else {
    EXPECT_NE(ToUtf8(error).find(c.errorPart), std::string::npos) << ToUtf8(error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeSettingsFileTest,
    testing::Values(
        DecodeCase{"utf8_plain", "[A]\r\nk=v\xC3\xA9", true, u"[A]\r\nk=v\u00E9", ""},
        DecodeCase{"utf8_with_mark", "\xEF\xBB\xBF[A]", true, u"\uFEFF[A]", ""},
        DecodeCase{"utf8_four_bytes", "\xF0\x9F\x98\x80", true, u"\U0001F600", ""},
        DecodeCase{"empty", "", true, u"", ""},
        DecodeCase{"utf16le_with_mark", ByteString("\xFF\xFE[\0A\0]\0\xE9\0", 10), true,
                   u"\uFEFF[A]\u00E9", ""},
        DecodeCase{"utf16be_with_mark", ByteString("\xFE\xFF\0[\0A\0]", 8), true, u"\uFEFF[A]", ""},
        DecodeCase{"utf16_surrogate_pair", ByteString("\xFF\xFE\x3D\xD8\x00\xDE", 6), true,
                   u"\uFEFF\U0001F600", ""},
        DecodeCase{"utf8_latin1_byte", "k=caf\xE9", false, u"", "byte 5"},
        DecodeCase{"utf8_overlong", "\xC0\xAF", false, u"", "byte 0"},
        DecodeCase{"utf8_overlong_three_bytes", "ab\xE0\x80\xAF", false, u"", "byte 2"},
        DecodeCase{"utf8_encoded_surrogate", "\xED\xA0\x80", false, u"", "UTF-8"},
        DecodeCase{"utf8_above_unicode", "\xF4\x90\x80\x80", false, u"", "UTF-8"},
        DecodeCase{"utf8_cut_short", "abc\xE2\x82", false, u"", "byte 3"},
        DecodeCase{"utf8_stray_continuation", "a\x80", false, u"", "byte 1"},
        DecodeCase{"utf8_after_mark_checked", "\xEF\xBB\xBF\xFF", false, u"", "byte 3"},
        DecodeCase{"utf16_odd_length", ByteString("\xFF\xFE[\0A", 5), false, u"", "odd"},
        DecodeCase{"utf16_lone_high_surrogate", ByteString("\xFF\xFE\x3D\xD8", 4), false, u"",
                   "unpaired surrogate at byte 2"},
        DecodeCase{"utf16_lone_low_surrogate", ByteString("\xFF\xFEx\0\x00\xDE", 6), false, u"",
                   "unpaired surrogate at byte 4"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

struct NormalizeCase {
  const char* name;
  Text text;
  Text expected;
};

void PrintTo(const NormalizeCase& c, std::ostream* os) { *os << c.name; }

class NormalizeSettingsTextTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeSettingsTextTest, EndsEveryLineWithCrLf) {
  EXPECT_EQ(NormalizeSettingsText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeSettingsTextTest,
    testing::Values(NormalizeCase{"crlf_kept", u"a\r\nb\r\n", u"a\r\nb\r\n"},
                    NormalizeCase{"lf_alone", u"a\nb\n", u"a\r\nb\r\n"},
                    NormalizeCase{"cr_alone", u"a\rb", u"a\r\nb"},
                    NormalizeCase{"lf_cr_is_two_ends", u"a\n\rb", u"a\r\n\r\nb"},
                    NormalizeCase{"mark_dropped", u"\uFEFF[A]\n", u"[A]\r\n"},
                    NormalizeCase{"inner_mark_kept", u"a\uFEFF", u"a\uFEFF"},
                    NormalizeCase{"empty", u"", u""}),
    [](const testing::TestParamInfo<NormalizeCase>& info) { return info.param.name; });

struct UpgradeCodeCase {
  const char* name;
  Text code;
  bool accepted;
};

void PrintTo(const UpgradeCodeCase& c, std::ostream* os) { *os << c.name; }

class CheckUpgradeCodeTest : public testing::TestWithParam<UpgradeCodeCase> {};

TEST_P(CheckUpgradeCodeTest, AcceptsOnlyCodesTheLauncherReadsUnchanged) {
  Text error;
  EXPECT_EQ(CheckUpgradeCode(GetParam().code, error), GetParam().accepted);
  EXPECT_EQ(error.empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckUpgradeCodeTest,
    testing::Values(UpgradeCodeCase{"braced_guid", u"{6F9619FF-8B86-D011-B42D-00C04FC964FF}", true},
                    UpgradeCodeCase{"inner_space", u"my product 2", true},
                    UpgradeCodeCase{"one_quote", u"\"x", true},
                    UpgradeCodeCase{"empty", u"", false},
                    UpgradeCodeCase{"non_ascii", u"produk-\u00E9", false},
                    UpgradeCodeCase{"control_character", u"a\tb", false},
                    UpgradeCodeCase{"leading_space", u" abc", false},
                    UpgradeCodeCase{"trailing_space", u"abc ", false},
                    UpgradeCodeCase{"double_quoted", u"\"abc\"", false},
                    UpgradeCodeCase{"single_quoted", u"'abc'", false}),
    [](const testing::TestParamInfo<UpgradeCodeCase>& info) { return info.param.name; });

TEST(BracedGuidTextTest, IsAVersionFourGuidOfThirtyEightCharacters) {
  std::array<uint8_t, 16> bytes = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xFF, 0x77,
                                   0xFF, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  Text text = BracedGuidText(bytes);
  EXPECT_EQ(text, u"{00112233-4455-4F77-BF99-AABBCCDDEEFF}");
  EXPECT_EQ(text.size(), 38u);
  EXPECT_TRUE(IsKeyText(text));
}

TEST(IsKeyTextTest, RefusesWhatAWrongKeyDeciphersTo) {
  EXPECT_FALSE(IsKeyText(u""));
  EXPECT_FALSE(IsKeyText(u"{abc\u0001}"));
  EXPECT_FALSE(IsKeyText(Text{char16_t(0xD83D), char16_t(0xDE00)}));
}

}  // namespace
