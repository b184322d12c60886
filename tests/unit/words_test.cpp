// Word splitting of command lines and separator lists.
#include "core/words.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
  const char* name;
  Text commandLine;
  TextList expected;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, SplitsWordsAfterProgramPath) {
  EXPECT_EQ(ArgumentsFromCommandLine(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    testing::Values(
        CommandLineCase{"plain", u"tool.exe a b", {u"a", u"b"}},
        CommandLineCase{"quoted_path_and_word",
                        u"\"C:\\Program Files\\App\\tool.exe\" \"one two\" three",
                        {u"one two", u"three"}},
        CommandLineCase{"empty_quoted_word", u"tool.exe \"\" x", {u"", u"x"}},
        CommandLineCase{"quote_inside_word", u"tool.exe a\"b c\"d", {u"a\"b", u"c\"d"}},
        CommandLineCase{"word_right_after_closing_quote", u"tool.exe \"ab\"cd", {u"ab", u"cd"}},
        CommandLineCase{"unterminated_quote", u"tool.exe \"unterminated rest",
                        {u"unterminated rest"}},
        CommandLineCase{"tab_is_ordinary", u"tool.exe a\tb", {u"a\tb"}},
        CommandLineCase{"runs_of_spaces", u"tool.exe a   b", {u"a", u"b"}},
        CommandLineCase{"unquoted_path_with_space", u"C:\\My Apps\\tool.exe x",
                        {u"Apps\\tool.exe", u"x"}},
        CommandLineCase{"surrounding_white_space", u" \t tool.exe a \r\n", {u"a"}},
        CommandLineCase{"backslashes_are_ordinary", u"tool.exe \"a\\\" b", {u"a\\", u"b"}},
        CommandLineCase{"program_path_only", u"tool.exe", {}},
        CommandLineCase{"empty", u"", {}}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

struct SplitCase {
  const char* name;
  Text text;
  Text separator;
  TextList expected;
};

class SplitListTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, KeepsInnerEmptyPiecesOnly) {
  TextList pieces{u"stale"};
  SplitList(GetParam().text, GetParam().separator, pieces);
  EXPECT_EQ(pieces, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitListTest,
    testing::Values(SplitCase{"inner_and_trailing", u"1.7;;1.8;", u";", {u"1.7", u"", u"1.8"}},
                    SplitCase{"leading", u";a", u";", {u"", u"a"}},
                    SplitCase{"separator_alone", u";", u";", {u""}},
                    SplitCase{"no_separator", u"abc", u";", {u"abc"}},
                    SplitCase{"empty_text", u"", u";", {}},
                    SplitCase{"two_character_separator", u"a\r\nb\nc\r\n", u"\r\n",
                              {u"a", u"b\nc"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

}  // namespace
