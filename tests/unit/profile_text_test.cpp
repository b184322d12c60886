// The private-profile lookup rules the POSIX build applies to INI files. Each row was checked
// against the Windows functions under Wine; the end-to-end tests compare the two again.
#include "core/profile_text.h"

#include <gtest/gtest.h>

namespace {

const Text kSection = u"Java Runtime Environment";
const Text kKey = u"Main Class";

// The value found for Main Class, or "<none>".
Text Lookup(const Text& fileText) {
  Text value = u"stale";
  return FindProfileValue(fileText, kSection, kKey, value) ? value : u"<none>";
}

struct ProfileCase {
  const char* name;
  Text fileText;
  Text expected;
};

class FindProfileValueTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(FindProfileValueTest, FollowsThePrivateProfileRules) {
  EXPECT_EQ(Lookup(GetParam().fileText), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindProfileValueTest,
    testing::Values(
        ProfileCase{"plain", u"[Java Runtime Environment]\r\nMain Class=a.B\r\n", u"a.B"},
        ProfileCase{"names_in_any_case", u"[java RUNTIME environment]\r\nmain CLASS=a.B\r\n",
                    u"a.B"},
        ProfileCase{"blanks_around_everything",
                    u"  [ Java Runtime Environment ]\t\r\n \tMain Class  =\t a.B  \r\n", u"a.B"},
        ProfileCase{"vertical_tab_form_feed_and_ctrl_z_are_blank",
                    u"[Java Runtime Environment]\r\nMain Class=\v\f\x1A" u"a.B\x1A\v\r\n", u"a.B"},
        ProfileCase{"unicode_spaces_are_not_blank",
                    u"[Java Runtime Environment]\r\nMain Class=\u00A0a.B\u3000\r\n",
                    u"\u00A0a.B\u3000"},
        ProfileCase{"blanks_inside_a_name_count", u"[Java Runtime Environment]\r\nMain  Class=a\r\n",
                    u"<none>"},
        ProfileCase{"double_quotes_removed", u"[Java Runtime Environment]\r\nMain Class=\"a.B\"\r\n",
                    u"a.B"},
        ProfileCase{"single_quotes_removed", u"[Java Runtime Environment]\r\nMain Class='a.B'\r\n",
                    u"a.B"},
        ProfileCase{"blanks_inside_quotes_kept",
                    u"[Java Runtime Environment]\r\nMain Class=\" a.B \"\r\n", u" a.B "},
        ProfileCase{"quotes_after_blanks_removed",
                    u"[Java Runtime Environment]\r\nMain Class= \"a.B\" \r\n", u"a.B"},
        ProfileCase{"only_one_pair_removed",
                    u"[Java Runtime Environment]\r\nMain Class=\"\"a.B\"\"\r\n", u"\"a.B\""},
        ProfileCase{"unmatched_quotes_kept",
                    u"[Java Runtime Environment]\r\nMain Class=\"a.B'\r\n", u"\"a.B'"},
        ProfileCase{"opening_quote_alone_kept",
                    u"[Java Runtime Environment]\r\nMain Class=\"a.B\r\n", u"\"a.B"},
        ProfileCase{"quotes_around_nothing", u"[Java Runtime Environment]\r\nMain Class=\"\"\r\n",
                    u""},
        ProfileCase{"quoted_key_is_another_key",
                    u"[Java Runtime Environment]\r\n\"Main Class\"=a.B\r\n", u"<none>"},
        ProfileCase{"further_equals_in_value",
                    u"[Java Runtime Environment]\r\nMain Class=a=B\r\n", u"a=B"},
        ProfileCase{"empty_value", u"[Java Runtime Environment]\r\nMain Class = \r\n", u""},
        ProfileCase{"first_of_two_keys",
                    u"[Java Runtime Environment]\r\nMain Class=a.B\r\nMain Class=c.D\r\n", u"a.B"},
        ProfileCase{"line_without_equals_is_a_key_without_value",
                    u"[Java Runtime Environment]\r\nMain Class\r\nMain Class=a.B\r\n", u""},
        ProfileCase{"only_the_first_section_of_a_name",
                    u"[Java Runtime Environment]\r\nX=1\r\n[Java Runtime Environment]\r\n"
                    u"Main Class=a.B\r\n",
                    u"<none>"},
        ProfileCase{"other_sections_between",
                    u"[Application]\r\nMain Class=x\r\n[Java Runtime Environment]\r\n"
                    u"Main Class=a.B\r\n[Class Path]\r\nMain Class=y\r\n",
                    u"a.B"},
        ProfileCase{"lines_before_any_section_belong_to_none",
                    u"Main Class=x\r\n[Java Runtime Environment]\r\n", u"<none>"},
        ProfileCase{"line_feed_ends_a_line", u"[Java Runtime Environment]\nMain Class=a.B\n",
                    u"a.B"},
        ProfileCase{"carriage_return_ends_a_line",
                    u"[Java Runtime Environment]\rMain Class=a.B\r\rX=1", u"a.B"},
        ProfileCase{"last_line_without_line_end", u"[Java Runtime Environment]\r\nMain Class=a.B",
                    u"a.B"},
        ProfileCase{"header_to_the_last_bracket",
                    u"[Java Runtime Environment]]\r\nMain Class=a.B\r\n", u"<none>"},
        ProfileCase{"text_after_the_bracket_ignored",
                    u"[Java Runtime Environment] x=y\r\nMain Class=a.B\r\n", u"a.B"},
        ProfileCase{"bracket_without_close_is_an_ordinary_line",
                    u"[Java Runtime Environment]\r\n[oops\r\nMain Class=a.B\r\n", u"a.B"},
        ProfileCase{"header_without_close_opens_no_section",
                    u"[Java Runtime Environment\r\nMain Class=a.B\r\n", u"<none>"},
        ProfileCase{"semicolon_line_is_another_key",
                    u"[Java Runtime Environment]\r\n;Main Class=a.B\r\n", u"<none>"},
        ProfileCase{"no_such_section", u"[Application]\r\nMain Class=a.B\r\n", u"<none>"},
        ProfileCase{"empty_file", u"", u"<none>"}),
    [](const testing::TestParamInfo<ProfileCase>& info) { return info.param.name; });

TEST(FindProfileValueTest, PlusSectionIsASectionOfItsOwn) {
  Text value;
  const Text file = u"[Application]\r\nCmd=-x\r\n[Application +]\r\nCmd=-z\r\n";
  EXPECT_FALSE(FindProfileValue(file, u"Application+", u"Cmd", value));
  EXPECT_TRUE(FindProfileValue(file, u"Application", u"Cmd", value));
  EXPECT_EQ(value, u"-x");
}

// A section's lines as the Windows section read gives them, for the key rules to read:
// trimmed, empty ones left out, lines without "=" and comments kept, the first section only.
TEST(FindProfileSectionTest, GivesTheFirstSectionsLinesTrimmed) {
  TextList lines;
  EXPECT_TRUE(FindProfileSection(u"k=0\r\n[ app ]\r\n  a = \"1\" \r\n\r\nnoeq\n;c=2\r[B]\nb=3\n"
                                 u"[APP]\nc=4\n",
                                 u"App", lines));
  EXPECT_EQ(lines, (TextList{u"a = \"1\"", u"noeq", u";c=2"}));
  TextList none;
  EXPECT_FALSE(FindProfileSection(u"[A]\nk=1\n", u"A+", none));
  EXPECT_TRUE(none.empty());
}

struct DecodeCase {
  const char* name;
  ByteString bytes;
  Text text;
};

class DecodeProfileBytesTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeProfileBytesTest, ChoosesTheEncodingByItsMark) {
  EXPECT_EQ(DecodeProfileBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeProfileBytesTest,
    testing::Values(
        DecodeCase{"utf16_little_endian", ByteString("\xFF\xFE[\0\xE9\0\x2D\x4E", 8),
                   u"[\u00E9\u4E2D"},
        DecodeCase{"utf16_big_endian", ByteString("\xFE\xFF\0[\0\xE9", 6), u"[\u00E9"},
        DecodeCase{"utf16_odd_last_byte_dropped", ByteString("\xFF\xFE" "a\0b", 5), u"a"},
        DecodeCase{"utf8_with_mark", "\xEF\xBB\xBF" "caf\xC3\xA9", u"caf\u00E9"},
        DecodeCase{"utf8_without_mark", "caf\xC3\xA9", u"caf\u00E9"},
        DecodeCase{"empty", "", u""}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

}  // namespace
