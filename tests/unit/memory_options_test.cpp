// Percentage memory sizes and thread stack sizes.
#include "jvm/memory_options.h"

#include <gtest/gtest.h>

namespace {

const MemoryFigures kTwoGigabytes{2147483648ull, 1073741824ull};

struct MemoryCase {
  const char* name;
  Text parameter;
  Text expected;
};

class ComputeMemoryOptionTest : public testing::TestWithParam<MemoryCase> {};

TEST_P(ComputeMemoryOptionTest, RewritesToKilobytes) {
  ASSERT_TRUE(IsRelativeMemoryOption(GetParam().parameter));
  EXPECT_EQ(ComputeMemoryOption(GetParam().parameter, kTwoGigabytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeMemoryOptionTest,
    testing::Values(
        MemoryCase{"half_of_physical", u"-Xmx50p", u"-Xmx1048576K"},
        MemoryCase{"capped_by_maximum", u"-Xmx50:256:512p", u"-Xmx524288K"},
        MemoryCase{"raised_to_minimum", u"-Xms1:256p", u"-Xms262144K"},
        MemoryCase{"minimum_wins_over_smaller_maximum", u"-Xmx0:128:64p", u"-Xmx131072K"},
        MemoryCase{"capital_unit", u"-Xmx50P", u"-Xmx1048576K"},
        MemoryCase{"of_address_space", u"-Xmx50T", u"-Xmx524288K"},
        MemoryCase{"fourth_number_ignored", u"-Xmx10:1:2:3p", u"-Xmx2048K"},
        MemoryCase{"prefix_up_to_first_digit", u"-Xmx=25p", u"-Xmx=524288K"},
        MemoryCase{"above_hundred_percent", u"-Xmx200p", u"-Xmx4194304K"},
        MemoryCase{"stack_option", u"-Xss1p", u"-Xss20971K"}),
    [](const testing::TestParamInfo<MemoryCase>& info) { return info.param.name; });

TEST(ComputeMemoryOptionTest, LargeFiguresDoNotWrap) {
  // A 64-bit companion's address space of 128 TB; half of it does not fit 32 bits.
  MemoryFigures large{0, uint64_t{1} << 47};
  EXPECT_EQ(ComputeMemoryOption(u"-Xmx50t", large), u"-Xmx68719476736K");
  EXPECT_EQ(ComputeMemoryOption(u"-Xmx0:5000000p", kTwoGigabytes), u"-Xmx5120000000K");
}

struct RelativeCase {
  const char* name;
  Text parameter;
  bool relative;
};

class IsRelativeMemoryOptionTest : public testing::TestWithParam<RelativeCase> {};

TEST_P(IsRelativeMemoryOptionTest, NeedsPrefixNumberAndUnitLetter) {
  EXPECT_EQ(IsRelativeMemoryOption(GetParam().parameter), GetParam().relative);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsRelativeMemoryOptionTest,
    testing::Values(RelativeCase{"lowercase_prefix", u"-xmx50p", false},
                    RelativeCase{"no_unit", u"-Xmx50", false},
                    RelativeCase{"megabytes", u"-Xmx50m", false},
                    RelativeCase{"other_option", u"-Xmn50p", false},
                    RelativeCase{"physical", u"-Xms10p", true},
                    RelativeCase{"address_space", u"-Xss10t", true},
                    // Without a number the VM's own message should name what was written.
                    RelativeCase{"unit_alone", u"-Xmxp", false},
                    RelativeCase{"colons_alone", u"-Xms:::t", false},
                    RelativeCase{"letter_alone", u"-XmxAp", false},
                    RelativeCase{"digit_after_other_characters", u"-Xmx=25p", true}),
    [](const testing::TestParamInfo<RelativeCase>& info) { return info.param.name; });

TEST(ParseNumberListTest, ReadsColonSeparatedNumbersFromFirstDigit) {
  NumberList list = ParseNumberList(u"-Xmx50:x256::7p");
  EXPECT_EQ(list.start, 4u);
  EXPECT_EQ(list.numbers, (std::vector<uint32_t>{50, 256, 0, 7}));
  EXPECT_EQ(ParseNumberList(u"abc").start, 3u);
  EXPECT_TRUE(ParseNumberList(u"abc").numbers.empty());
  EXPECT_EQ(ParseNumberList(u":5").numbers, (std::vector<uint32_t>{0, 5}));
}

struct StackCase {
  const char* name;
  Text text;  // after "-Xss"
  int32_t bytes;
};

class ParseStackSizeTest : public testing::TestWithParam<StackCase> {};

TEST_P(ParseStackSizeTest, MultipliesByUnit) {
  EXPECT_EQ(ParseStackSize(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseStackSizeTest,
    testing::Values(StackCase{"kilobytes", u"512k", 524288},
                    StackCase{"megabytes", u"1m", 1048576},
                    StackCase{"capital_megabytes", u"2M", 2097152},
                    StackCase{"gigabyte", u"1g", 1073741824},
                    StackCase{"bytes", u"65536", 65536},
                    StackCase{"equals_sign", u"=512k", 0},
                    StackCase{"colon", u"1:2k", 0},
                    StackCase{"empty", u"", 0},
                    StackCase{"too_large_for_a_stack", u"4g", 0},
                    StackCase{"kilobyte_form_of_percentage", u"20971K", 21474304}),
    [](const testing::TestParamInfo<StackCase>& info) { return info.param.name; });

}  // namespace
