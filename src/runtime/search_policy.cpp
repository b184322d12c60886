// The settings words of the runtime search and the policy they make.
#include "runtime/search_policy.h"

namespace {

const Text kRuntimeSection = u"Java Runtime Environment";

struct ProviderRow {
  const char16_t* name;
  bool searchJavaSoft, searchJRockit, searchIbm, preferJavaSoft, preferJRockit, preferIbm;
};

// The first row holds the initial flags; an empty value is never looked up.
const ProviderRow kProviders[] = {
    {u"", true, false, false, true, false, false},
    {u"jrockit", false, true, false, false, true, false},
    {u"ibm", false, false, true, false, false, true},
    {u"favor_sun", true, true, true, true, false, false},
    {u"favor_jrockit", true, true, true, false, true, false},
    {u"favor_ibm", true, true, true, false, false, true},
    {u"any", true, true, true, false, false, false},
};

constexpr VersionNumber kUnboundedVersion{kVersionUnbounded, kVersionUnbounded, kVersionUnbounded,
                                          kVersionUnbounded};

}  // namespace

void ApplyJvmSource(const Text& value, SearchPolicy& policy) {
  if (value.empty()) {
    policy.wantJdk = policy.wantJre = true;
    return;
  }
  policy.favorSource = value == u"favor_JDK" || value == u"favor_JRE";
  policy.wantJdk = value == u"favor_JDK" || value == u"only_JDK";
  policy.wantJre = value == u"favor_JRE" || value == u"only_JRE";
}

void ApplyVmProvider(const Text& value, SearchPolicy& policy) {
  if (value.empty()) return;
  for (const ProviderRow& row : kProviders) {
    if (!EqualsIgnoreCase(value, row.name)) continue;
    policy.searchJavaSoft = row.searchJavaSoft;
    policy.searchJRockit = row.searchJRockit;
    policy.searchIbm = row.searchIbm;
    policy.preferJavaSoft = row.preferJavaSoft;
    policy.preferJRockit = row.preferJRockit;
    policy.preferIbm = row.preferIbm;
    return;
  }
}

SearchPolicy ReadSearchPolicy(const SettingsSource& settings) {
  SearchPolicy policy;
  Text minimum = settings.Get(kRuntimeSection, u"Minimum Version");
  policy.minVersion = minimum == u"any" ? VersionNumber{0, 0, 0, 0} : ParseVersion(minimum, 0);
  Text maximum = settings.Get(kRuntimeSection, u"Maximum Version");
  policy.maxVersion =
      maximum == u"any" ? kUnboundedVersion : ParseVersion(maximum, kVersionUnbounded);
  SplitList(settings.Get(kRuntimeSection, u"Preferred versions"), u";", policy.preferredVersions);
  Text type = settings.Get(kRuntimeSection, u"JVM Type");
  policy.jvmType = type == u"server"         ? JvmType::Server
                   : type == u"favor_server" ? JvmType::FavorServer
                                             : JvmType::Any;
  ApplyJvmSource(settings.Get(kRuntimeSection, u"JVM Source"), policy);
  ApplyVmProvider(settings.Get(kRuntimeSection, u"VM Provider"), policy);
  policy.vendorRuntimes = !EqualsIgnoreCase(settings.Get(kRuntimeSection, u"Vendor Runtimes"),
                                            u"no");
  return policy;
}
