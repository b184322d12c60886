// Reading every setting of the prepare phase into the launcher.
#include "config/embedded_settings.h"
#include "config/settings_paths.h"
#include "config/settings_sources.h"
#include "launcher/command_line.h"
#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "platform/files.h"

namespace {

const Text kProductSection = u"Product Information";
const Text kRuntimeSection = u"Java Runtime Environment";
const Text kApplicationSection = u"Application";

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

bool IsYes(const Text& value) { return EqualsIgnoreCase(value, u"Yes"); }

void ApplyJvmSource(Launcher& launcher, const Text& value) {
  if (value.empty()) {
    launcher.wantJdk = launcher.wantJre = true;
    return;
  }
  launcher.favorSource = value == u"favor_JDK" || value == u"favor_JRE";
  launcher.wantJdk = value == u"favor_JDK" || value == u"only_JDK";
  launcher.wantJre = value == u"favor_JRE" || value == u"only_JRE";
}

void ApplyVmProvider(Launcher& launcher, const Text& value) {
  if (value.empty()) return;
  for (const ProviderRow& row : kProviders) {
    if (!EqualsIgnoreCase(value, row.name)) continue;
    launcher.searchJavaSoft = row.searchJavaSoft;
    launcher.searchJRockit = row.searchJRockit;
    launcher.searchIbm = row.searchIbm;
    launcher.preferJavaSoft = row.preferJavaSoft;
    launcher.preferJRockit = row.preferJRockit;
    launcher.preferIbm = row.preferIbm;
    return;
  }
}

Text ReadJrePath(const Launcher& launcher, const LayeredSettings& settings) {
  Text modulePath;
  if (!launcher.serviceMode && GetModulePath(modulePath)) {
    // Once the user has picked a runtime, the per-user file alone decides.
    Text userFile = UserSettingsFilePath(launcher, modulePath, false);
    if (os::FindsEntry(userFile)) return ProfileFile(userFile).Get(kRuntimeSection, u"JRE Path");
  }
  return settings.Get(kRuntimeSection, u"JRE Path");
}

}  // namespace

bool Launcher::ReadSettings() {
  Text path;
  if (!SettingsFilePath(path)) return false;
  ProfileFile file(path);
  productCode = file.Get(kProductSection, u"Product Code");
  upgradeCode = file.Get(kProductSection, u"Upgrade Code");
  productName = file.Get(kProductSection, u"Product Name");

  LayeredSettings settings(path, GetEmbeddedSettingsText(upgradeCode));
  Text minimum = settings.Get(kRuntimeSection, u"Minimum Version");
  minVersion = minimum == u"any" ? VersionNumber{0, 0, 0, 0} : ParseVersion(minimum, 0);
  Text maximum = settings.Get(kRuntimeSection, u"Maximum Version");
  maxVersion = maximum == u"any"
                   ? VersionNumber{kVersionUnbounded, kVersionUnbounded, kVersionUnbounded,
                                   kVersionUnbounded}
                   : ParseVersion(maximum, kVersionUnbounded);

  serviceMode = settings.Get(kApplicationSection, u"Application Type") == u"service";
  if (serviceMode) omitServiceName = !settings.Get(kApplicationSection, u"Omit Service Name").empty();
  SplitList(settings.Get(kRuntimeSection, u"Preferred versions"), u";", preferredVersions);
  jrePath = ReadJrePath(*this, settings);

  Text type = settings.Get(kRuntimeSection, u"JVM Type");
  jvmType = type == u"server" ? JvmType::Server
            : type == u"favor_server" ? JvmType::FavorServer
                                      : JvmType::Any;
  ApplyJvmSource(*this, settings.Get(kRuntimeSection, u"JVM Source"));
  ApplyVmProvider(*this, settings.Get(kRuntimeSection, u"VM Provider"));

  mainClassName = settings.Get(kRuntimeSection, u"Main Class");
  if (mainClassName.empty()) {
    ReportError(LoadMessage(kMsgNoMainClass));
    return false;
  }
  ReplaceAll(mainClassName, u'.', u'/');

  failureCheck = IsYes(settings.Get(kApplicationSection, u"Failure Check"));
  overrideWorkingDir = IsYes(settings.Get(kApplicationSection, u"Override WorkingDir"));
  systemPath = settings.Get(kRuntimeSection, u"System Path");
  libraryPath = settings.Get(kRuntimeSection, u"Library Path");
  pairProduct = settings.Get(kApplicationSection, u"Pair Product");
  pairReturnCode = IsYes(settings.Get(kApplicationSection, u"Pair Return Code"));
  return true;
}
