// Paths derived from the runtime library and the settings, on both hosts.
#include "jvm/runtime_paths.h"

#include <gtest/gtest.h>

namespace {

struct EntryCase {
  const char* name;
  const HostRules* host;
  Text entry;
  bool searched;
  Text pattern;
  Text folder;
};

class ClassPathEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(ClassPathEntryTest, AbsoluteEntriesWithoutWildcardAreTakenAsWritten) {
  const EntryCase& c = GetParam();
  Text executableFolder = c.host->drivePaths ? u"C:\\app\\" : u"\\app\\";
  EXPECT_EQ(IsSearchedClassPathEntry(c.entry, *c.host), c.searched);
  if (!c.searched) return;
  ClassPathSearch search = ClassPathSearchFor(c.entry, executableFolder, *c.host);
  EXPECT_EQ(search.pattern, c.pattern);
  EXPECT_EQ(search.folder, c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassPathEntryTest,
    testing::Values(
        EntryCase{"drive_path", &kWindowsHost, u"C:\\shared\\x.jar", false, u"", u""},
        EntryCase{"unc_path", &kWindowsHost, u"\\\\server\\x.jar", false, u"", u""},
        EntryCase{"relative_wildcard", &kWindowsHost, u"lib\\*.jar", true, u"C:\\app\\lib\\*.jar",
                  u"C:\\app\\lib\\"},
        EntryCase{"relative_file", &kWindowsHost, u"app.jar", true, u"C:\\app\\app.jar",
                  u"C:\\app\\"},
        EntryCase{"leading_backslash_only", &kWindowsHost, u"\\x.jar", true, u"C:\\app\\\\x.jar",
                  u"C:\\app\\"},
        EntryCase{"empty_entry", &kWindowsHost, u"", true, u"C:\\app\\", u"C:\\app\\"},
        EntryCase{"absolute_wildcard", &kWindowsHost, u"D:\\libs\\*", true, u"D:\\libs\\*",
                  u"D:\\libs\\"},
        EntryCase{"drive_wildcard_without_backslash", &kWindowsHost, u"D:*.jar", true, u"D:*.jar",
                  u""},
        EntryCase{"posix_root_path", &kPosixHost, u"\\opt\\x.jar", false, u"", u""},
        EntryCase{"posix_drive_like_is_relative", &kPosixHost, u"C:x.jar", true, u"\\app\\C:x.jar",
                  u"\\app\\"},
        EntryCase{"posix_relative_wildcard", &kPosixHost, u"lib\\*.jar", true,
                  u"\\app\\lib\\*.jar", u"\\app\\lib\\"}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST(LibraryPathTextTest, JoinsConfiguredFoldersExecutableWorkingFolderPathAndRuntimeLib) {
  EXPECT_EQ(LibraryPathText(u"C:\\libs", u"C:\\app\\", u"C:\\jre\\lib", kWindowsHost),
            u"C:\\libs;C:\\app\\;.;%Path%;C:\\jre\\lib");
  EXPECT_EQ(LibraryPathText(u"C:\\libs;", u"C:\\app\\", u"C:\\jre\\lib", kWindowsHost),
            u"C:\\libs;C:\\app\\;.;%Path%;C:\\jre\\lib");
  EXPECT_EQ(LibraryPathText(u"\\opt\\libs", u"\\app\\", u"\\jdk\\lib", kPosixHost),
            u"\\opt\\libs:\\app\\:.:%PATH%:\\jdk\\lib");
}

TEST(SearchPathTextTest, PutsConfiguredFoldersFirstAndRuntimeBinLast) {
  EXPECT_EQ(SearchPathText(u"C:\\tools", u"C:\\jre\\bin", kWindowsHost),
            u"C:\\tools;%Path%;C:\\jre\\bin");
  EXPECT_EQ(SearchPathText(u"C:\\tools;", u"C:\\jre\\bin", kWindowsHost),
            u"C:\\tools;%Path%;C:\\jre\\bin");
  EXPECT_EQ(SearchPathText(u"", u"C:\\jre\\bin", kWindowsHost), u"%Path%;C:\\jre\\bin");
  EXPECT_EQ(SearchPathText(u"", u"\\jdk\\lib", kPosixHost), u"%PATH%:\\jdk\\lib");
}

}  // namespace
