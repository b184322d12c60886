// Centring of dialogs and the placement of the hyperlink's measured text.
#include "ui/window_geometry.h"

#include <gtest/gtest.h>

namespace {

struct CentreCase {
  const char* name;
  ScreenRect centre;
  ScreenRect area;
  int32_t width;
  int32_t height;
  int32_t x;
  int32_t y;
};

class CentredPositionTest : public testing::TestWithParam<CentreCase> {};

TEST_P(CentredPositionTest, CentresInsideTheArea) {
  const CentreCase& c = GetParam();
  ScreenPoint at = CentredPosition(c.centre, c.area, c.width, c.height);
  EXPECT_EQ(at.x, c.x);
  EXPECT_EQ(at.y, c.y);
}

const ScreenRect kWork = {0, 0, 1280, 1024};

INSTANTIATE_TEST_SUITE_P(
    Cases, CentredPositionTest,
    testing::Values(
        // The dialog of the end-to-end test: 389 by 261 on a 1280 by 1024 work area.
        CentreCase{"work_area", kWork, kWork, 389, 261, 446, 382},
        CentreCase{"odd_sizes_truncate", {0, 0, 101, 101}, {0, 0, 101, 101}, 11, 11, 45, 45},
        CentreCase{"owner_rectangle", {100, 100, 500, 300}, kWork, 200, 100, 200, 150},
        CentreCase{"pushed_back_from_the_right_and_bottom", {1100, 900, 1280, 1024}, kWork,
                   300, 200, 980, 824},
        CentreCase{"pushed_back_from_the_left_and_top", {-200, -100, 0, 0}, kWork, 300, 200, 0,
                   0},
        CentreCase{"wider_and_taller_than_the_area_keeps_the_left_and_top_edge", kWork, kWork,
                   1500, 1100, 0, 0},
        CentreCase{"second_monitor", {1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}, 1500, 200,
                   1280, 412},
        // Truncation toward zero, as the system's arithmetic does, also left of the origin.
        CentreCase{"negative_coordinates", {-1281, -1025, 0, 0}, {-1281, -1025, 0, 0}, 11, 11,
                   -645, -517}),
    [](const testing::TestParamInfo<CentreCase>& info) { return info.param.name; });

struct AlignCase {
  const char* name;
  uint32_t style;
  TextAlignment alignment;
  int32_t left;  // of measured text 0..40 in a client area 0..101
};

class StaticAlignmentTest : public testing::TestWithParam<AlignCase> {};

TEST_P(StaticAlignmentTest, MovesMeasuredTextWhereItIsDrawn) {
  EXPECT_EQ(AlignmentOfStaticStyle(GetParam().style), GetParam().alignment);
  ScreenRect text = {0, 0, 40, 8};
  AlignMeasuredText(GetParam().alignment, 101, text);
  EXPECT_EQ(text.left, GetParam().left);
  EXPECT_EQ(text.right - text.left, 40);
  EXPECT_EQ(text.top, 0);
  EXPECT_EQ(text.bottom, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaticAlignmentTest,
    testing::Values(AlignCase{"left", 0x50020000, TextAlignment::Left, 0},
                    AlignCase{"centre_truncates", 0x1, TextAlignment::Centre, 30},
                    AlignCase{"right", 0x2, TextAlignment::Right, 61},
                    // Both bits set (as in SS_ICON): the centre bit is looked at first.
                    AlignCase{"centre_bit_wins", 0x3, TextAlignment::Centre, 30}),
    [](const testing::TestParamInfo<AlignCase>& info) { return info.param.name; });

}  // namespace
