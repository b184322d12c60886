// The packaging tool's command line.
#include "options.h"

#include <gtest/gtest.h>

namespace {

struct OptionsCase {
  const char* name;
  TextList arguments;
  bool valid;
  ToolOptions expected;  // when valid; only the fields compared below
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.name; }

ToolOptions Embed(Text code, Text exe, Text settings, Text output = u"", bool verbatim = false) {
  ToolOptions options;
  options.upgradeCodeGiven = true;
  options.upgradeCode = std::move(code);
  options.executable = std::move(exe);
  options.settingsFile = std::move(settings);
  options.output = std::move(output);
  options.verbatim = verbatim;
  return options;
}

ToolOptions ReplacingReadOnly(ToolOptions options) {
  options.replaceReadOnly = true;
  return options;
}

ToolOptions Print(Text code, Text exe) {
  ToolOptions options = Embed(std::move(code), std::move(exe), u"");
  options.print = true;
  return options;
}

ToolOptions Help() {
  ToolOptions options;
  options.help = true;
  return options;
}

class ToolOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(ToolOptionsTest, ReadsWhatToDo) {
  const OptionsCase& c = GetParam();
  ToolOptions options;
  Text error;
  ASSERT_EQ(ParseToolOptions(c.arguments, options, error), c.valid) << ToUtf8(error);
  if (!c.valid) {
    EXPECT_FALSE(error.empty());
    return;
  }
  EXPECT_EQ(options.help, c.expected.help);
  EXPECT_EQ(options.print, c.expected.print);
  EXPECT_EQ(options.verbatim, c.expected.verbatim);
  EXPECT_EQ(options.replaceReadOnly, c.expected.replaceReadOnly);
  EXPECT_EQ(options.upgradeCode, c.expected.upgradeCode);
  EXPECT_EQ(options.output, c.expected.output);
  EXPECT_EQ(options.executable, c.expected.executable);
  EXPECT_EQ(options.settingsFile, c.expected.settingsFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolOptionsTest,
    testing::Values(
        OptionsCase{"embed",
                    {u"--upgrade-code", u"{X}", u"app.exe", u"app.ini"},
                    true,
                    Embed(u"{X}", u"app.exe", u"app.ini")},
        OptionsCase{"short_and_equals_forms",
                    {u"a.exe", u"-u", u"{X}", u"--output=b.exe", u"--verbatim", u"a.ini"},
                    true,
                    Embed(u"{X}", u"a.exe", u"a.ini", u"b.exe", true)},
        OptionsCase{"empty_code_is_given",
                    {u"--upgrade-code=", u"a.exe", u"a.ini"},
                    true,
                    Embed(u"", u"a.exe", u"a.ini")},
        OptionsCase{"code_that_looks_like_an_option",
                    {u"-u", u"-x-", u"a.exe", u"a.ini"},
                    true,
                    Embed(u"-x-", u"a.exe", u"a.ini")},
        OptionsCase{"operands_after_double_dash",
                    {u"-u", u"c", u"--", u"-a.exe", u"-a.ini"},
                    true,
                    Embed(u"c", u"-a.exe", u"-a.ini")},
        OptionsCase{"replace_read_only",
                    {u"-u", u"c", u"--replace-read-only", u"a.exe", u"a.ini"},
                    true,
                    ReplacingReadOnly(Embed(u"c", u"a.exe", u"a.ini"))},
        OptionsCase{"print", {u"--print", u"-u", u"c", u"app.exe"}, true, Print(u"c", u"app.exe")},
        OptionsCase{"help_alone", {u"--help"}, true, Help()},
        OptionsCase{"unknown_option_beside_help", {u"-h", u"--bogus"}, false, {}},
        OptionsCase{"nothing", {}, false, {}},
        OptionsCase{"no_upgrade_code", {u"a.exe", u"a.ini"}, false, {}},
        OptionsCase{"code_without_value", {u"a.exe", u"a.ini", u"--upgrade-code"}, false, {}},
        OptionsCase{"settings_missing", {u"-u", u"c", u"a.exe"}, false, {}},
        OptionsCase{"three_operands", {u"-u", u"c", u"a.exe", u"a.ini", u"b.ini"}, false, {}},
        OptionsCase{"print_with_settings", {u"-p", u"-u", u"c", u"a.exe", u"a.ini"}, false, {}},
        OptionsCase{
            "print_with_output", {u"-p", u"-u", u"c", u"-o", u"b.exe", u"a.exe"}, false, {}},
        OptionsCase{"print_replacing_read_only",
                    {u"-p", u"-u", u"c", u"--replace-read-only", u"a.exe"},
                    false,
                    {}},
        OptionsCase{"unknown_option", {u"-u", u"c", u"--force", u"a.exe", u"a.ini"}, false, {}}),
    [](const testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

}  // namespace
