// The stack trace as the uncaught-exception report shows it.
#include "ui/exception_report.h"

#include <gtest/gtest.h>

namespace {

struct LineEndCase {
  const char* name;
  Text text;
  Text expected;
};

class CrLfLineEndsTest : public testing::TestWithParam<LineEndCase> {};

TEST_P(CrLfLineEndsTest, EveryLineEndsWithCrLf) {
  EXPECT_EQ(WithCrLfLineEnds(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrLfLineEndsTest,
    testing::Values(
        LineEndCase{"java_trace", u"E: m\n\tat A.b(A.java)\n", u"E: m\r\n\tat A.b(A.java)\r\n"},
        LineEndCase{"already_windows", u"E\r\n\tat A\r\n", u"E\r\n\tat A\r\n"},
        LineEndCase{"leading_and_doubled", u"\n\nE", u"\r\n\r\nE"},
        LineEndCase{"lone_carriage_return_kept", u"a\rb", u"a\rb"},
        LineEndCase{"empty", u"", u""}),
    [](const testing::TestParamInfo<LineEndCase>& info) { return info.param.name; });

}  // namespace
