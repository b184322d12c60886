// Absolute paths and path spelling on the two hosts.
#include "core/host_rules.h"

#include <gtest/gtest.h>

namespace {

struct AbsoluteCase {
  const char* name;
  Text path;
  bool onWindows;
  bool onPosix;
};

class IsAbsolutePathTest : public testing::TestWithParam<AbsoluteCase> {};

TEST_P(IsAbsolutePathTest, FollowsTheHostsRule) {
  EXPECT_EQ(IsAbsolutePath(GetParam().path, kWindowsHost), GetParam().onWindows);
  EXPECT_EQ(IsAbsolutePath(GetParam().path, kPosixHost), GetParam().onPosix);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsAbsolutePathTest,
    testing::Values(AbsoluteCase{"drive", u"C:\\x", true, false},
                    AbsoluteCase{"drive_relative", u"C:x", true, false},
                    AbsoluteCase{"unc", u"\\\\server\\share", true, true},
                    AbsoluteCase{"root_of_current_drive", u"\\x", false, true},
                    AbsoluteCase{"relative", u"lib\\x", false, false},
                    AbsoluteCase{"single_character", u"\\", false, true},
                    AbsoluteCase{"empty", u"", false, false}),
    [](const testing::TestParamInfo<AbsoluteCase>& info) { return info.param.name; });

TEST(PathSpellingTest, PosixHostMapsSeparatorsBothWays) {
  EXPECT_EQ(ToNativePath(u"\\usr\\lib\\x;y", kPosixHost), u"/usr/lib/x;y");
  EXPECT_EQ(ToLauncherPath(u"/usr/lib/x", kPosixHost), u"\\usr\\lib\\x");
  EXPECT_EQ(ToNativePath(u"C:\\a/b", kWindowsHost), u"C:\\a/b");
  EXPECT_EQ(ToLauncherPath(u"C:\\a/b", kWindowsHost), u"C:\\a/b");
}

}  // namespace
