// Date and time placeholders in output file names.
#include "core/date_picture.h"

#include <gtest/gtest.h>

namespace {

// Thursday 7 March 2024, 09:05:03.007.
const LocalTime kMorning{2024, 3, 4, 7, 9, 5, 3, 7};
// Sunday 29 December 2024, 21:45:59.250.
const LocalTime kEvening{2024, 12, 0, 29, 21, 45, 59, 250};

struct PlaceholderCase {
  const char* name;
  Text fileName;
  LocalTime time;
  Text expected;
};

class ExpandDateTimePlaceholderTest : public testing::TestWithParam<PlaceholderCase> {};

TEST_P(ExpandDateTimePlaceholderTest, FormatsTheTextBetweenFirstAndLastPercent) {
  Text name = GetParam().fileName;
  ExpandDateTimePlaceholder(name, GetParam().time, FormatTimePicture, FormatDatePicture);
  EXPECT_EQ(name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandDateTimePlaceholderTest,
    testing::Values(
        PlaceholderCase{"date_and_time", u"C:\\logs\\app_%yyyyMMdd_HHmmss%.log", kMorning,
                        u"C:\\logs\\app_20240307_090503.log"},
        PlaceholderCase{"evening_24_hour", u"a_%HH.mm%.log", kEvening, u"a_21.45.log"},
        PlaceholderCase{"milliseconds_without_leading_zeros", u"x_%HHmmss_L%.log", kMorning,
                        u"x_090503_7.log"},
        PlaceholderCase{"milliseconds_three_digits", u"%L%", kEvening, u"250"},
        PlaceholderCase{"inner_percent_signs_stay", u"out_%yyyy%_%HH%.log", kMorning,
                        u"out_2024%_%09.log"},
        PlaceholderCase{"single_percent_is_dropped", u"out%.log", kMorning, u"out.log"},
        PlaceholderCase{"no_placeholder", u"out.log", kMorning, u"out.log"},
        PlaceholderCase{"twelve_hour_and_marker", u"%h t%", kEvening, u"9 P"},
        // The time pass runs first, so the date pass reads the M of PM as the month.
        PlaceholderCase{"marker_letters_meet_the_date_pass", u"%tt%", kEvening, u"P12"},
        PlaceholderCase{"midnight_hour_is_twelve", u"%hh%", LocalTime{2024, 1, 1, 1, 0, 0, 0, 0},
                        u"12"},
        PlaceholderCase{"names", u"%ddd dddd MMM MMMM%", kEvening,
                        u"Sun Sunday Dec December"},
        PlaceholderCase{"short_forms", u"%d M y yy%", kMorning, u"7 3 24 24"},
        PlaceholderCase{"quoted_text_is_literal_in_the_time_pass_only", u"%'HH'%", kMorning,
                        u"HH"},
        PlaceholderCase{"other_characters_carried_through", u"%[x]-%", kMorning, u"[x]-"}),
    [](const testing::TestParamInfo<PlaceholderCase>& info) { return info.param.name; });

bool Reject(const Text&, const LocalTime&, Text&) { return false; }

TEST(ExpandDateTimePlaceholderTest, RejectedPictureIsKeptUnformatted) {
  Text name = u"out_%HH_L%.log";
  ExpandDateTimePlaceholder(name, kMorning, Reject, FormatDatePicture);
  EXPECT_EQ(name, u"out_HH_7.log");
}

bool Unreachable(const Text&, const LocalTime&, Text&) {
  ADD_FAILURE() << "a picture too long for the result was handed to a formatter";
  return false;
}

// The formatting calls write at most 260 characters, and some overrun their own stack on a
// longer picture; such a name is used as written.
TEST(ExpandDateTimePlaceholderTest, PictureLongerThanTheResultIsLeftAsWritten) {
  for (size_t length : {size_t{260}, size_t{1000}}) {
    Text name = u"out_%" + Text(length, u'y') + u"%.log";
    const Text written = name;
    ExpandDateTimePlaceholder(name, kMorning, Unreachable, Unreachable);
    EXPECT_EQ(name, written) << length;
  }
  Text name = u"%" + Text(255, u'd') + u"L%";  // the milliseconds make it 256: still formatted
  ExpandDateTimePlaceholder(name, kMorning, FormatTimePicture, Reject);
  EXPECT_EQ(name, Text(255, u'd') + u"7");
}

}  // namespace
