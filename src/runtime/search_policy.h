// What the runtime search accepts: the VM type, the version range, the kinds and vendors of
// runtime searched and preferred, and the preferred versions, as the settings give them.
#pragma once

#include "config/settings_sources.h"
#include "core/text.h"
#include "runtime/version.h"

enum class JvmType { Any, Server, FavorServer };

struct SearchPolicy {
  JvmType jvmType = JvmType::Any;
  VersionNumber minVersion;
  VersionNumber maxVersion;
  bool wantJdk = false;
  bool wantJre = false;
  bool favorSource = true;
  bool searchJRockit = false;
  bool searchJavaSoft = true;
  bool searchIbm = false;
  bool preferJRockit = false;
  bool preferJavaSoft = true;
  bool preferIbm = false;
  TextList preferredVersions;
  // Today's vendors' registrations are searched when the classic sources give nothing.
  bool vendorRuntimes = true;

  // IBM's runtimes keep the thread that ran main attached until System.exit.
  bool AdmitsIbm() const { return searchIbm || preferIbm; }
};

// The policy from the "Java Runtime Environment" settings.
SearchPolicy ReadSearchPolicy(const SettingsSource& settings);
// The JVM Source words (exact): the kinds wanted and whether kinds are only favoured.
void ApplyJvmSource(const Text& value, SearchPolicy& policy);
// The VM Provider words (any case): the vendors searched and preferred.
void ApplyVmProvider(const Text& value, SearchPolicy& policy);
