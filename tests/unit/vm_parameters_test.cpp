// Splitting the VM parameters setting and removing quotes.
#include "jvm/vm_parameters.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char* name;
  Text value;
  TextList expected;  // after quote removal
};

class SplitVmParametersTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitVmParametersTest, SeparatesAtSpacesOutsideQuotes) {
  TextList parameters = SplitVmParameters(GetParam().value);
  for (Text& parameter : parameters) RemoveQuotes(parameter);
  EXPECT_EQ(parameters, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitVmParametersTest,
    testing::Values(
        SplitCase{"empty", u"", {}},
        SplitCase{"single", u"-Xmx1g", {u"-Xmx1g"}},
        SplitCase{"runs_of_spaces_and_quoted_space",
                  u"-Xms16m  -Xmx1g \"-Dname=a b\"",
                  {u"-Xms16m", u"-Xmx1g", u"-Dname=a b"}},
        SplitCase{"quotes_inside_a_parameter", u"-Dp=\"x y\"z next", {u"-Dp=x yz", u"next"}},
        SplitCase{"doubled_closing_quote_then_quoted_span", u"\"a b\"\" \"c d\"",
                  {u"a b\"", u"c d"}},
        SplitCase{"unterminated_quote_ends_at_space", u"-Da=\"x y", {u"-Da=\"x", u"y"}},
        SplitCase{"trailing_spaces", u"-Da   ", {u"-Da"}},
        SplitCase{"leading_space_gives_empty_first", u" -Da", {u"", u"-Da"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

struct QuoteCase {
  const char* name;
  Text parameter;
  Text expected;
};

class RemoveQuotesTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(RemoveQuotesTest, KeepsWhatLiesBetweenTheQuotes) {
  Text parameter = GetParam().parameter;
  RemoveQuotes(parameter);
  EXPECT_EQ(parameter, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveQuotesTest,
    testing::Values(QuoteCase{"none", u"-Da=b", u"-Da=b"},
                    QuoteCase{"whole", u"\"-Da=b c\"", u"-Da=b c"},
                    QuoteCase{"doubled_closing_quote_leaves_one", u"\"a\"\"", u"a\""},
                    QuoteCase{"empty_span", u"x\"\"y", u"xy"},
                    QuoteCase{"two_spans", u"\"a\"-\"b\"", u"a-b"},
                    QuoteCase{"lone_quote_stays", u"a\"b", u"a\"b"}),
    [](const testing::TestParamInfo<QuoteCase>& info) { return info.param.name; });

TEST(FindParameterEndTest, SkipsSpacesInsideQuotesFromTheStart) {
  EXPECT_EQ(FindParameterEnd(u"a \"b c\" d", 2), 7u);
  EXPECT_EQ(FindParameterEnd(u"\"b c\"", 0), 5u);
  EXPECT_EQ(FindParameterEnd(u"abc", 1), 3u);
}

}  // namespace
