// The embedded-settings parser, the settings-file reader and the layering of the two.
#include "config/settings_sources.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

// What a lookup in the embedded document finds: the value, or "<none>".
Text Lookup(const IniText& document, const Text& section, const Text& key) {
  const IniSection* found = document.FindSection(section);
  const IniEntry* entry = found ? found->FindKey(key) : nullptr;
  return entry ? entry->value : u"<none>";
}

struct IniCase {
  const char* name;
  Text text;
  Text section;
  Text key;
  Text expected;
};

class IniTextTest : public testing::TestWithParam<IniCase> {};

TEST_P(IniTextTest, FindsValues) {
  EXPECT_EQ(Lookup(IniText(GetParam().text), GetParam().section, GetParam().key),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniTextTest,
    testing::Values(
        IniCase{"entry", u"[Application]\r\nCmd = -x\r\n", u"Application", u"Cmd", u"-x"},
        IniCase{"last_line_without_line_end", u"[Application]\r\nCmd=-x", u"Application",
                u"Cmd", u"-x"},
        IniCase{"line_feed_alone_ends_no_line", u"[Application]\nCmd=-x\n", u"Application",
                u"Cmd", u"<none>"},
        IniCase{"line_feed_alone_stays_in_value", u"[Application]\r\nCmd=-x\ny=1\r\n",
                u"Application", u"Cmd", u"-x\ny=1"},
        IniCase{"carriage_return_alone_stays_in_value", u"[Application]\r\nCmd=a\rb\r\n",
                u"Application", u"Cmd", u"a\rb"},
        IniCase{"names_compare_exactly", u"[Application]\r\nCmd=-x\r\n", u"application", u"Cmd",
                u"<none>"},
        IniCase{"keys_compare_exactly", u"[Application]\r\nCmd=-x\r\n", u"Application", u"cmd",
                u"<none>"},
        IniCase{"spaces_inside_brackets_kept", u"[ Application ]\r\nCmd=-x\r\n", u"Application",
                u"Cmd", u"<none>"},
        IniCase{"found_under_its_spaced_name", u"[ Application ]\r\nCmd=-x\r\n",
                u" Application ", u"Cmd", u"-x"},
        IniCase{"blanks_around_header", u" \t[Application]\x01 \r\nCmd=-x\r\n", u"Application",
                u"Cmd", u"-x"},
        IniCase{"text_after_header_makes_an_entry_line", u"[Application] x\r\nCmd=-x\r\n",
                u"Application", u"Cmd", u"<none>"},
        IniCase{"name_to_the_last_bracket", u"[a]b]\r\nk=v\r\n", u"a]b", u"k", u"v"},
        IniCase{"empty_section_name", u"[]\r\nk=v\r\n", u"", u"k", u"v"},
        IniCase{"first_of_two_sections", u"[Application]\r\nA=1\r\n[Application]\r\nCmd=-x\r\n",
                u"Application", u"Cmd", u"<none>"},
        IniCase{"first_of_two_entries", u"[Application]\r\nCmd=-x\r\nCmd=-y\r\n",
                u"Application", u"Cmd", u"-x"},
        IniCase{"byte_order_mark_dropped", u"\uFEFF[Application]\r\nCmd=-x\r\n", u"Application",
                u"Cmd", u"-x"},
        IniCase{"byte_order_mark_only_on_first_line",
                u"[Application]\r\n\uFEFFCmd=-x\r\n", u"Application", u"Cmd", u"<none>"},
        IniCase{"entries_before_any_header_ignored", u"Cmd=-x\r\n[Application]\r\n",
                u"Application", u"Cmd", u"<none>"},
        IniCase{"line_without_equals_ignored", u"[Application]\r\nCmd\r\nCmd=-x\r\n",
                u"Application", u"Cmd", u"-x"},
        IniCase{"semicolon_line_is_an_entry", u"[Application]\r\n;Cmd=-x\r\n", u"Application",
                u";Cmd", u"-x"},
        IniCase{"empty_lines_skipped", u"\r\n\r\n[Application]\r\n\r\nCmd=-x\r\n\r\n",
                u"Application", u"Cmd", u"-x"},
        IniCase{"key_and_value_trimmed", u"[Application]\r\n \t Cmd \t= \u00A0-x y\u3000\r\n",
                u"Application", u"Cmd", u"-x y"},
        IniCase{"quotes_stay", u"[Application]\r\nCmd=\"-x\"\r\n", u"Application", u"Cmd",
                u"\"-x\""},
        IniCase{"further_equals_in_value", u"[Application]\r\nCmd=a=b=c\r\n", u"Application",
                u"Cmd", u"a=b=c"},
        IniCase{"empty_value", u"[Application]\r\nCmd=\r\n", u"Application", u"Cmd", u""},
        IniCase{"empty_key", u"[Application]\r\n=v\r\n", u"Application", u"", u"v"},
        IniCase{"empty_text", u"", u"Application", u"Cmd", u"<none>"}),
    [](const testing::TestParamInfo<IniCase>& info) { return info.param.name; });

TEST(IniTextTest, KeepsSectionsAndEntriesInOrder) {
  IniText document(u"[A]\r\nk=1\r\nk=2\r\n[B]\r\n[A]\r\nj=3\r\n");
  const IniSection* first = document.FindSection(u"A");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name, u"A");
  ASSERT_EQ(first->entries.size(), 2u);
  EXPECT_EQ(first->entries[1].value, u"2");
  const IniSection* empty = document.FindSection(u"B");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->entries.empty());
  // A repeated section is kept apart from the first one, which alone is found.
  EXPECT_EQ(first->FindKey(u"j"), nullptr);
}

constexpr char kEmbedded[] = "[Application]\r\nCmd = -x\r\n";

struct LayerCase {
  const char* name;
  Text embedded;
  const char* file;  // null: no settings file at all
  Text expected;
};

class LayeredSettingsTest : public testing::TestWithParam<LayerCase> {};

TEST_P(LayeredSettingsTest, FileOverridesOrExtendsEmbeddedText) {
  TempFolder folder;
  if (GetParam().file) folder.Write("tool.ini", GetParam().file);
  LayeredSettings settings(folder.TextPath("tool.ini"), GetParam().embedded);
  EXPECT_EQ(settings.Get(u"Application", u"Cmd"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayeredSettingsTest,
    testing::Values(
        LayerCase{"embedded_only", FromAscii(kEmbedded), nullptr, u"-x"},
        LayerCase{"file_replaces", FromAscii(kEmbedded), "[Application]\r\nCmd=-y\r\n", u"-y"},
        LayerCase{"plus_section_appends_with_one_space", FromAscii(kEmbedded),
                  "[Application+]\r\nCmd=-y\r\n", u"-x -y"},
        LayerCase{"plus_value_starting_with_space_adds_none", FromAscii(kEmbedded),
                  "[Application+]\r\nCmd=\" -y\"\r\n", u"-x -y"},
        // The space goes only between two values: a leading one would make an empty first
        // VM parameter, which the runtime refuses, or an empty first class path entry.
        LayerCase{"plus_without_embedded_value", u"", "[Application+]\r\nCmd=-y\r\n", u"-y"},
        LayerCase{"plus_after_empty_embedded_value", u"[Application]\r\nCmd=\r\n",
                  "[Application+]\r\nCmd=-y\r\n", u"-y"},
        LayerCase{"empty_file_value_does_not_hide", FromAscii(kEmbedded),
                  "[Application]\r\nCmd=\r\n", u"-x"},
        LayerCase{"empty_file_value_then_plus", FromAscii(kEmbedded),
                  "[Application]\r\nCmd=\r\n[Application+]\r\nCmd=-y\r\n", u"-x -y"},
        LayerCase{"file_value_wins_over_plus", FromAscii(kEmbedded),
                  "[Application]\r\nCmd=-y\r\n[Application+]\r\nCmd=-z\r\n", u"-y"},
        LayerCase{"file_names_compare_as_profiles_do", FromAscii(kEmbedded),
                  "[APPLICATION]\r\ncmd=-y\r\n", u"-y"},
        LayerCase{"embedded_names_compare_exactly", u"[application]\r\nCmd=-x\r\n", nullptr,
                  u""},
        LayerCase{"nothing_anywhere", u"", nullptr, u""}),
    [](const testing::TestParamInfo<LayerCase>& info) { return info.param.name; });

class ProfileFileLengthTest : public testing::TestWithParam<size_t> {};

// Around every size the doubling read passes through, a value comes back whole.
TEST_P(ProfileFileLengthTest, ReadsValuesWhole) {
  TempFolder folder;
  std::string value(GetParam(), 'v');
  value.back() = 'z';
  folder.Write("tool.ini", "[Class Path]\r\nClass Path=" + value + "\r\n");
  EXPECT_EQ(ProfileFile(folder.TextPath("tool.ini")).Get(u"Class Path", u"Class Path"),
            FromAscii(value.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Lengths, ProfileFileLengthTest,
                         testing::Values(1, 254, 255, 256, 300, 511, 512, 5000));

// The host build reads the whole file at a reader's first Get: a start sees the file as it
// was then, and the next start (a new reader) sees what changed.
TEST(ProfileFileTest, ReadsTheFileOnceAndANewReaderAgain) {
  TempFolder folder;
  folder.Write("tool.ini", "[Application]\r\nCmd=-a\r\n[Class Path]\r\nClass Path=a.jar\r\n");
  ProfileFile file(folder.TextPath("tool.ini"));
  EXPECT_EQ(file.Get(u"Application", u"Cmd"), u"-a");
  folder.Write("tool.ini", "[Application]\r\nCmd=-b\r\n[Class Path]\r\nClass Path=b.jar\r\n");
  EXPECT_EQ(file.Get(u"Application", u"Cmd"), u"-a");
  EXPECT_EQ(file.Get(u"Class Path", u"Class Path"), u"a.jar");
  EXPECT_EQ(ProfileFile(folder.TextPath("tool.ini")).Get(u"Application", u"Cmd"), u"-b");
}

// The first reader of a start finds no file; the next start finds the one written since.
TEST(ProfileFileTest, AMissingFileIsReadOnceAsEmpty) {
  TempFolder folder;
  ProfileFile file(folder.TextPath("tool.ini"));
  EXPECT_EQ(file.Get(u"Application", u"Cmd"), u"");
  folder.Write("tool.ini", "[Application]\r\nCmd=-a\r\n");
  EXPECT_EQ(file.Get(u"Application", u"Cmd"), u"");
  EXPECT_EQ(ProfileFile(folder.TextPath("tool.ini")).Get(u"Application", u"Cmd"), u"-a");
}

}  // namespace
