// Reading the launcher's settings: the product identity from the file, the rest layered.
#include "config/launcher_settings.h"

#include "config/embedded_settings.h"
#include "config/settings_paths.h"
#include "launcher/messages.h"
#include "launcher/module_path.h"
#include "platform/files.h"

namespace {

const Text kProductSection = u"Product Information";
const Text kRuntimeSection = u"Java Runtime Environment";
const Text kApplicationSection = u"Application";

bool IsYes(const Text& value) { return EqualsIgnoreCase(value, u"Yes"); }

}  // namespace

Text ReadJrePath(const LauncherSettings& read, const SettingsSource& layered,
                 const Text& executablePath) {
  if (!read.serviceMode && !executablePath.empty()) {
    // Once the user has picked a runtime, the per-user file alone decides.
    Text userFile = UserSettingsFilePath(read, executablePath, false);
    if (os::FindsEntry(userFile)) return ProfileFile(userFile).Get(kRuntimeSection, u"JRE Path");
  }
  return layered.Get(kRuntimeSection, u"JRE Path");
}

LayeredSettings ReadProductAndLayers(const Text& path, LauncherSettings& settings) {
  ProfileFile file(path);
  settings.productCode = file.Get(kProductSection, u"Product Code");
  settings.upgradeCode = file.Get(kProductSection, u"Upgrade Code");
  settings.productName = file.Get(kProductSection, u"Product Name");
  return LayeredSettings(std::move(file), GetEmbeddedSettingsText(settings.upgradeCode));
}

bool ReadLauncherSettings(const SettingsSource& layered, LauncherSettings& settings) {
  settings.serviceMode = layered.Get(kApplicationSection, u"Application Type") == u"service";
  if (settings.serviceMode) {
    settings.omitServiceName = !layered.Get(kApplicationSection, u"Omit Service Name").empty();
  }
  // A module path that cannot be had has been reported, and leaves the path empty.
  Text modulePath;
  if (!settings.serviceMode) GetModulePath(modulePath);
  settings.jrePath = ReadJrePath(settings, layered, modulePath);

  settings.mainClassName = layered.Get(kRuntimeSection, u"Main Class");
  if (settings.mainClassName.empty()) {
    ReportError(LoadMessage(kMsgNoMainClass));
    return false;
  }
  ReplaceAll(settings.mainClassName, u'.', u'/');

  settings.failureCheck = IsYes(layered.Get(kApplicationSection, u"Failure Check"));
  settings.overrideWorkingDir = IsYes(layered.Get(kApplicationSection, u"Override WorkingDir"));
  settings.systemPath = layered.Get(kRuntimeSection, u"System Path");
  settings.libraryPath = layered.Get(kRuntimeSection, u"Library Path");
  settings.pairProduct = layered.Get(kApplicationSection, u"Pair Product");
  settings.pairReturnCode = IsYes(layered.Get(kApplicationSection, u"Pair Return Code"));
  settings.singleInstance = layered.Get(kApplicationSection, u"Single Instance") == u"yes";
  return true;
}
