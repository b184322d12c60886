// %NAME% references resolved against a table of variables.
#include "core/environment_references.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const Text kLong(100000, u'x');

bool Lookup(const Text& name, Text& value) {
  static const std::map<Text, Text> variables{
      {u"HOME", u"C:\\Users\\me"}, {u"EMPTY", u""}, {u"PCT", u"%HOME%"}, {u"LONG", kLong}};
  auto found = variables.find(name);
  if (found == variables.end()) return false;
  value = found->second;
  return true;
}

struct ReferenceCase {
  const char* name;
  Text text;
  Text expected;
};

class ExpandReferencesTest : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ExpandReferencesTest, ReplacesKnownNamesOnly) {
  EXPECT_EQ(ExpandReferences(GetParam().text, Lookup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandReferencesTest,
    testing::Values(
        ReferenceCase{"no_reference", u"plain", u"plain"},
        ReferenceCase{"known", u"%HOME%\\lib", u"C:\\Users\\me\\lib"},
        ReferenceCase{"two_in_a_row", u"%HOME%%HOME%", u"C:\\Users\\meC:\\Users\\me"},
        ReferenceCase{"empty_value", u"a%EMPTY%b", u"ab"},
        ReferenceCase{"unknown_stays", u"a%NOPE%b", u"a%NOPE%b"},
        ReferenceCase{"closing_sign_of_unknown_opens_the_next", u"%NOPE%HOME%",
                      u"%NOPEC:\\Users\\me"},
        ReferenceCase{"empty_name_stays", u"a%%b", u"a%%b"},
        ReferenceCase{"lone_sign_stays", u"50%", u"50%"},
        ReferenceCase{"value_not_scanned_again", u"%PCT%", u"%HOME%"},
        ReferenceCase{"long_value", u"[%LONG%]", u"[" + kLong + u"]"},
        ReferenceCase{"long_text", kLong + u"%HOME%", kLong + u"C:\\Users\\me"},
        ReferenceCase{"empty_text", u"", u""}),
    [](const testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

}  // namespace
