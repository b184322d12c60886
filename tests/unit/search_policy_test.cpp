// The runtime search policy the settings words make.
#include "runtime/search_policy.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

// Settings of the "Java Runtime Environment" section; every other key reads as empty.
class RuntimeSettings : public SettingsSource {
 public:
  explicit RuntimeSettings(std::map<Text, Text> values) : values_(std::move(values)) {}
  Text Get(const Text& section, const Text& key) const override {
    auto found = values_.find(key);
    return section == u"Java Runtime Environment" && found != values_.end() ? found->second
                                                                            : Text();
  }

 private:
  std::map<Text, Text> values_;
};

SearchPolicy PolicyFrom(std::map<Text, Text> values) {
  return ReadSearchPolicy(RuntimeSettings(std::move(values)));
}

constexpr int32_t kU = kVersionUnbounded;

struct RangeCase {
  const char* name;
  Text minimum;
  Text maximum;
  VersionNumber minVersion;
  VersionNumber maxVersion;
};

class VersionRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(VersionRangeTest, BoundsFillOpenComponents) {
  SearchPolicy policy = PolicyFrom(
      {{u"Minimum Version", GetParam().minimum}, {u"Maximum Version", GetParam().maximum}});
  EXPECT_EQ(CompareVersions(policy.minVersion, GetParam().minVersion), 0);
  EXPECT_EQ(CompareVersions(policy.maxVersion, GetParam().maxVersion), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionRangeTest,
    testing::Values(RangeCase{"any_and_any", u"any", u"any", {0, 0, 0, 0}, {kU, kU, kU, kU}},
                    RangeCase{"absent_maximum_admits_nothing", u"any", u"", {0, 0, 0, 0},
                              {0, 0, 0, 0}},
                    RangeCase{"any_is_case_sensitive", u"ANY", u"Any", {0, 0, 0, 0}, {0, 0, 0, 0}},
                    RangeCase{"one_point_eight_both", u"1.8", u"1.8", {1, 8, 0, 0},
                              {1, 8, kU, kU}},
                    RangeCase{"update_names", u"1.8.0_201", u"11.0.2", {1, 8, 0, 201},
                              {11, 0, 2, kU}}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(SearchPolicyTest, DefaultsSearchJavaSoftForBothKindsOfAnyVm) {
  SearchPolicy policy = PolicyFrom({});
  EXPECT_EQ(policy.jvmType, JvmType::Any);
  EXPECT_TRUE(policy.wantJdk && policy.wantJre && policy.favorSource);
  EXPECT_TRUE(policy.searchJavaSoft && policy.preferJavaSoft);
  EXPECT_FALSE(policy.searchJRockit || policy.searchIbm || policy.preferJRockit ||
               policy.preferIbm || policy.AdmitsIbm());
  EXPECT_TRUE(policy.preferredVersions.empty());
}

TEST(SearchPolicyTest, ReadsTypeSourceProviderAndPreferredVersions) {
  SearchPolicy policy = PolicyFrom({{u"JVM Type", u"favor_server"},
                                    {u"JVM Source", u"only_JRE"},
                                    {u"VM Provider", u"Favor_IBM"},
                                    {u"Preferred versions", u"1.8;;11"}});
  EXPECT_EQ(policy.jvmType, JvmType::FavorServer);
  EXPECT_FALSE(policy.favorSource || policy.wantJdk);
  EXPECT_TRUE(policy.wantJre);
  EXPECT_TRUE(policy.searchJavaSoft && policy.searchJRockit && policy.searchIbm);
  EXPECT_TRUE(policy.preferIbm && policy.AdmitsIbm());
  EXPECT_EQ(policy.preferredVersions, (TextList{u"1.8", u"", u"11"}));
  // The type words are exact.
  EXPECT_EQ(PolicyFrom({{u"JVM Type", u"Server"}}).jvmType, JvmType::Any);
  EXPECT_EQ(PolicyFrom({{u"JVM Type", u"server"}}).jvmType, JvmType::Server);
}

struct VendorCase {
  const char* name;
  Text value;
  bool searched;
};

class VendorRuntimesTest : public testing::TestWithParam<VendorCase> {};

TEST_P(VendorRuntimesTest, OnlyNoKeepsTheClassicSources) {
  EXPECT_EQ(PolicyFrom({{u"Vendor Runtimes", GetParam().value}}).vendorRuntimes,
            GetParam().searched);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VendorRuntimesTest,
    testing::Values(VendorCase{"absent", u"", true}, VendorCase{"no", u"no", false},
                    VendorCase{"no_in_any_case", u"NO", false}, VendorCase{"yes", u"yes", true},
                    VendorCase{"other_word", u"none", true}, VendorCase{"zero", u"0", true}),
    [](const testing::TestParamInfo<VendorCase>& info) { return info.param.name; });

}  // namespace
