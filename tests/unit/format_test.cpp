// Formatting of message texts with %s and %d.
#include "core/format.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const Text kPath = u"C:\\Apps\\jvm.dll";

struct FormatCase {
  const char* name;
  Text format;
  Text (*apply)(const Text& format);
  Text expected;
};

class FormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, ReplacesPlaceholdersInOrder) {
  EXPECT_EQ(GetParam().apply(GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTest,
    testing::Values(
        FormatCase{"no_placeholder", u"versi terbaru",
                   [](const Text& f) { return FormatText(f, {}); }, u"versi terbaru"},
        FormatCase{"text_and_number", u"Gagal: %s (errno = %d).\n",
                   [](const Text& f) { return FormatText(f, {kPath, int32_t{126}}); },
                   u"Gagal: C:\\Apps\\jvm.dll (errno = 126).\n"},
        FormatCase{"two_texts_in_order", u"versi antara %s dan %s",
                   [](const Text& f) { return FormatText(f, {u"1.6", u"1.8"}); },
                   u"versi antara 1.6 dan 1.8"},
        FormatCase{"negative_number", u"%d",
                   [](const Text& f) { return FormatText(f, {int32_t{INT_MIN}}); },
                   u"-2147483648"},
        // An error code with the top bit set prints as a signed 32-bit number, as %d does.
        FormatCase{"unsigned_error_code", u"%d",
                   [](const Text& f) { return FormatText(f, {uint32_t{0x80070005u}}); },
                   u"-2147024891"},
        FormatCase{"empty_text_argument", u"Alasan: %s.",
                   [](const Text& f) { return FormatText(f, {Text()}); }, u"Alasan: ."},
        // A text argument is never read as a format itself.
        FormatCase{"argument_with_percent", u"[%s]",
                   [](const Text& f) { return FormatText(f, {u"%s%d"}); }, u"[%s%d]"},
        FormatCase{"doubled_percent", u"100%% %s",
                   [](const Text& f) { return FormatText(f, {u"x"}); }, u"100% x"},
        FormatCase{"percent_at_end", u"50%",
                   [](const Text& f) { return FormatText(f, {}); }, u"50%"},
        FormatCase{"unknown_conversion_kept", u"%x %s",
                   [](const Text& f) { return FormatText(f, {u"y"}); }, u"%x y"},
        FormatCase{"missing_argument_dropped", u"%s and %s",
                   [](const Text& f) { return FormatText(f, {u"one"}); }, u"one and "},
        FormatCase{"extra_argument_ignored", u"%s",
                   [](const Text& f) { return FormatText(f, {u"one", u"two"}); }, u"one"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

}  // namespace
