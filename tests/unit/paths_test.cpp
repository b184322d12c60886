// Folders, parents and components of paths in the launcher's spelling.
#include "core/paths.h"

#include <gtest/gtest.h>

namespace {

struct ParentCase {
  const char* name;
  Text path;
  int levels;
  Text expected;
};

class ParentPathTest : public testing::TestWithParam<ParentCase> {};

TEST_P(ParentPathTest, RemovesTrailingComponents) {
  EXPECT_EQ(ParentPath(GetParam().path, GetParam().levels), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParentPathTest,
    testing::Values(ParentCase{"bin_folder", u"C:\\jre\\bin\\client\\jvm.dll", 2, u"C:\\jre\\bin"},
                    ParentCase{"home", u"C:\\jre\\bin\\client\\jvm.dll", 3, u"C:\\jre"},
                    ParentCase{"posix_home", u"\\usr\\jdk\\lib\\server\\libjvm.so", 3,
                               u"\\usr\\jdk"},
                    ParentCase{"runs_out_of_backslashes", u"a\\b", 3, u"a"},
                    ParentCase{"no_backslash", u"jvm.dll", 2, u"jvm.dll"}),
    [](const testing::TestParamInfo<ParentCase>& info) { return info.param.name; });

struct ComponentsCase {
  const char* name;
  Text path;
  TextList expected;
};

class SplitPathComponentsTest : public testing::TestWithParam<ComponentsCase> {};

TEST_P(SplitPathComponentsTest, RootThenNames) {
  EXPECT_EQ(SplitPathComponents(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPathComponentsTest,
    testing::Values(
        ComponentsCase{"drive", u"C:\\logs\\app\\out.log", {u"C:", u"logs", u"app", u"out.log"}},
        ComponentsCase{"unc", u"\\\\server\\share\\out.log", {u"\\\\server", u"share", u"out.log"}},
        ComponentsCase{"long_prefix", u"\\\\?\\C:\\logs\\out.log",
                       {u"\\\\?\\C:", u"logs", u"out.log"}},
        ComponentsCase{"root_of_current_drive_keeps_empty_root", u"\\logs\\out.log",
                       {u"", u"logs", u"out.log"}},
        ComponentsCase{"empty_names_kept", u"C:\\a\\\\b", {u"C:", u"a", u"", u"b"}},
        ComponentsCase{"trailing_backslash", u"C:\\a\\", {u"C:", u"a"}},
        ComponentsCase{"no_backslash", u"out.log", {u"out.log"}},
        ComponentsCase{"unc_server_only", u"\\\\server", {u"\\\\server"}},
        ComponentsCase{"relative", u"logs\\out.log", {u"logs", u"out.log"}}),
    [](const testing::TestParamInfo<ComponentsCase>& info) { return info.param.name; });

TEST(IsUncPathTest, TwoBackslashesNotFollowedByQuestionMark) {
  EXPECT_TRUE(IsUncPath(u"\\\\server\\share"));
  EXPECT_FALSE(IsUncPath(u"\\\\?\\C:\\x"));
  EXPECT_FALSE(IsUncPath(u"\\x"));
  EXPECT_FALSE(IsUncPath(u"C:\\x"));
}

}  // namespace
