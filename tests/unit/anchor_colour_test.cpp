// The browser's link colour values: "red,green,blue" as the registry stores them.
#include "ui/anchor_colour.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ColourCase {
  const char* name;
  std::u16string stored;  // the value's units, its terminating NUL included
  bool usable;
  uint32_t colour;
};

class AnchorColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(AnchorColourTest, ParsesOrRefuses) {
  const uint32_t kUntouched = 0xABCDEF;
  uint32_t colour = kUntouched;
  EXPECT_EQ(ParseAnchorColour(GetParam().stored, colour), GetParam().usable);
  EXPECT_EQ(colour, GetParam().usable ? GetParam().colour : kUntouched);
}

std::u16string Stored(const char16_t* text) { return std::u16string(text) + u'\0'; }

INSTANTIATE_TEST_SUITE_P(
    Cases, AnchorColourTest,
    testing::Values(
        ColourCase{"blue", Stored(u"0,0,255"), true, 0xFF0000},
        ColourCase{"red", Stored(u"255,0,0"), true, 0x0000FF},
        ColourCase{"components_in_their_bytes", Stored(u"1,2,3"), true, 0x030201},
        ColourCase{"cut_to_the_low_byte", Stored(u"300,0,0"), true, 44},
        ColourCase{"blanks_and_signs", Stored(u" 1,\t+2, 3"), true, 0x030201},
        ColourCase{"digits_up_to_another_character", Stored(u"12x,0,9z"), true, 0x09000C},
        ColourCase{"other_negative_cut_to_its_byte", Stored(u"-2,0,0"), true, 0xFE},
        ColourCase{"empty_components_are_zero", Stored(u",,1"), true, 0x010000},
        ColourCase{"eleven_characters", Stored(u"255,255,255"), true, 0xFFFFFF},
        ColourCase{"text_after_an_inner_nul_ignored", std::u16string(u"1,2,3\0,9", 9), true,
                   0x030201},
        ColourCase{"twelve_characters", Stored(u"0255,255,255"), false, 0},
        ColourCase{"two_components", Stored(u"1,2"), false, 0},
        ColourCase{"nothing_after_the_second_comma", Stored(u"1,2,"), false, 0},
        ColourCase{"no_comma", Stored(u"abc"), false, 0},
        ColourCase{"red_minus_one", Stored(u"-1,0,0"), false, 0},
        ColourCase{"green_minus_one", Stored(u"0,-1,0"), false, 0},
        ColourCase{"blue_minus_one", Stored(u"0,0,-1"), false, 0},
        ColourCase{"not_terminated", u"1,2,3", false, 0},
        ColourCase{"empty", u"", false, 0}),
    [](const testing::TestParamInfo<ColourCase>& info) { return info.param.name; });

}  // namespace
