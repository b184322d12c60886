// Where the settings files live: beside the executable, per user, and the companion's.
#include "config/settings_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "temp_folder.h"

namespace {

struct PathCase {
  const char* name;
  Text executable;
  bool executablesHaveExtensions;
  Text expected;  // empty: no settings file can be named
};

class SettingsPathForTest : public testing::TestWithParam<PathCase> {};

TEST_P(SettingsPathForTest, SwapsOrAddsTheExtension) {
  Text path = u"stale";
  bool named = SettingsPathFor(GetParam().executable, GetParam().executablesHaveExtensions, path);
  EXPECT_EQ(named ? path : Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsPathForTest,
    testing::Values(
        PathCase{"beside_the_executable", u"C:\\Apps\\Tool\\tool.exe", true,
                 u"C:\\Apps\\Tool\\tool.ini"},
        PathCase{"last_dot_of_the_name", u"C:\\Apps\\Tool\\my.tool.exe", true,
                 u"C:\\Apps\\Tool\\my.tool.ini"},
        PathCase{"dot_in_a_folder_only", u"C:\\a.b\\tool", true, u"C:\\a.ini"},
        PathCase{"no_dot_anywhere", u"C:\\Apps\\tool", true, u""},
        PathCase{"trailing_dot", u"C:\\Apps\\tool.", true, u"C:\\Apps\\tool.ini"},
        PathCase{"host_name_without_dot_gets_ini_added", u"\\opt\\app\\tool", false,
                 u"\\opt\\app\\tool.ini"},
        PathCase{"host_dot_in_a_folder_only", u"\\opt\\a.b\\tool", false, u"\\opt\\a.b\\tool.ini"},
        PathCase{"host_name_with_dot_as_on_windows", u"\\opt\\app\\my.tool", false,
                 u"\\opt\\app\\my.ini"},
        PathCase{"host_bare_name", u"tool", false, u"tool.ini"}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

TEST(CleanProductNameTest, RemovesCharactersFolderNamesCannotHold) {
  EXPECT_EQ(CleanProductName(u"Acme: Tool/Pro?"), u"Acme ToolPro");
  EXPECT_EQ(CleanProductName(u"a\\b?c\"d|e>f<g:h/i*j"), u"abcdefghij");
  EXPECT_EQ(CleanProductName(u"Caf\u00E9 {1} (x86) ~.,;'"), u"Caf\u00E9 {1} (x86) ~.,;'");
  EXPECT_EQ(CleanProductName(u"??"), u"");
}

// Sets or removes APPDATA for one test and puts the old value back afterwards.
class AppDataTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = getenv("APPDATA")) saved_ = value;
  }
  void TearDown() override {
    if (saved_) {
      setenv("APPDATA", saved_->c_str(), 1);
    } else {
      unsetenv("APPDATA");
    }
  }
  static void SetAppData(const std::string& value) { setenv("APPDATA", value.c_str(), 1); }
  static void RemoveAppData() { unsetenv("APPDATA"); }

  LauncherSettings settings_;

 private:
  std::optional<std::string> saved_;
};

struct UserPathCase {
  const char* name;
  const char* appData;  // null: not set
  Text productName;
  Text productCode;
  Text executable;
  Text expected;
};

class UserSettingsFilePathTest : public AppDataTest,
                                 public testing::WithParamInterface<UserPathCase> {};

TEST_P(UserSettingsFilePathTest, LiesBelowTheApplicationDataFolder) {
  if (GetParam().appData) {
    SetAppData(GetParam().appData);
  } else {
    RemoveAppData();
  }
  settings_.productName = GetParam().productName;
  settings_.productCode = GetParam().productCode;
  EXPECT_EQ(UserSettingsFilePath(settings_, GetParam().executable, false), GetParam().expected);
}

const std::string kLongAppData(260, 'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, UserSettingsFilePathTest,
    testing::Values(
        UserPathCase{"product_folders", "C:\\Users\\u\\AppData\\Roaming", u"Acme Tool", u"{1234}",
                     u"C:\\Apps\\Tool\\tool.exe",
                     u"C:\\Users\\u\\AppData\\Roaming\\Acme Tool\\{1234}\\tool.ini"},
        UserPathCase{"cleaned_product_name", "C:\\R", u"Acme: Tool/Pro?", u"{1234}",
                     u"C:\\Apps\\tool.exe", u"C:\\R\\Acme ToolPro\\{1234}\\tool.ini"},
        UserPathCase{"product_code_unchanged", "C:\\R", u"Acme", u"a:b?",
                     u"C:\\Apps\\tool.exe", u"C:\\R\\Acme\\a:b?\\tool.ini"},
        UserPathCase{"last_dot_of_the_name", "C:\\R", u"Acme", u"{1}",
                     u"C:\\Apps\\my.tool.exe", u"C:\\R\\Acme\\{1}\\my.tool.ini"},
        UserPathCase{"dot_in_a_folder_only", "C:\\R", u"Acme", u"{1}", u"C:\\a.b\\tool",
                     u"C:\\R\\Acme\\{1}\\tool.ini"},
        UserPathCase{"name_without_folder", "C:\\R", u"Acme", u"{1}", u"tool.exe",
                     u"C:\\R\\Acme\\{1}\\tool.ini"},
        UserPathCase{"appdata_not_set", nullptr, u"Acme Tool", u"{1234}", u"C:\\Apps\\tool.exe",
                     u"\\Acme Tool\\{1234}\\tool.ini"},
        UserPathCase{"appdata_too_long_for_its_buffer", kLongAppData.c_str(), u"Acme", u"{1}",
                     u"C:\\Apps\\tool.exe", u"\\Acme\\{1}\\tool.ini"},
        UserPathCase{"empty_product_name_and_code", "C:\\R", u"", u"", u"C:\\Apps\\tool.exe",
                     u"C:\\R\\\\\\tool.ini"}),
    [](const testing::TestParamInfo<UserPathCase>& info) { return info.param.name; });

TEST_F(AppDataTest, FoldersAreCreatedOnlyOnTheWayToAWrite) {
  TempFolder folder;
  SetAppData(folder.Path().string());
  settings_.productName = u"Acme: Tool";
  settings_.productCode = u"{1234}";

  Text path = UserSettingsFilePath(settings_, u"C:\\Apps\\tool.exe", false);
  EXPECT_EQ(path, folder.TextPath() + u"\\Acme Tool\\{1234}\\tool.ini");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("Acme Tool")));

  EXPECT_EQ(UserSettingsFilePath(settings_, u"C:\\Apps\\tool.exe", true), path);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("Acme Tool/{1234}")));
  // A second time finds the folders there already, which is no failure.
  EXPECT_EQ(UserSettingsFilePath(settings_, u"C:\\Apps\\tool.exe", true), path);
}

TEST_F(AppDataTest, CompanionFilesFollowPairProduct) {
  TempFolder folder;
  SetAppData(folder.Path().string());
  settings_.productName = u"Acme Tool";
  settings_.productCode = u"{1234}";
  Text path = u"stale";

  EXPECT_FALSE(PairSettingsFilePath(settings_, path));
  EXPECT_EQ(PairUserSettingsFilePath(settings_), u"");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("Acme Tool")));

  settings_.pairProduct = u"D:\\x64\\tool64";
  EXPECT_FALSE(PairSettingsFilePath(settings_, path));

  settings_.pairProduct = u"D:\\x64\\tool64.exe";
  ASSERT_TRUE(PairSettingsFilePath(settings_, path));
  EXPECT_EQ(path, u"D:\\x64\\tool64.ini");
  EXPECT_EQ(PairUserSettingsFilePath(settings_),
            folder.TextPath() + u"\\Acme Tool\\{1234}\\tool64.ini");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("Acme Tool/{1234}")));
}

}  // namespace
