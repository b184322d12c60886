// The four settings-file paths of a launcher.
#include "config/settings_paths.h"

#include "launcher/module_path.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/process.h"

bool SettingsPathFor(const Text& executablePath, bool executablesHaveExtensions, Text& path) {
  size_t dot = executablePath.rfind(u'.');
  if (!executablesHaveExtensions) {
    size_t slash = executablePath.rfind(u'\\');
    if (dot == Text::npos || (slash != Text::npos && dot < slash)) {
      path = executablePath + u".ini";
      return true;
    }
  }
  if (dot == Text::npos) return false;
  path = executablePath.substr(0, dot + 1) + u"ini";
  return true;
}

Text CleanProductName(const Text& productName) {
  static const Text kForbidden = u"\\?\"|><:/*";
  Text cleaned;
  for (char16_t c : productName) {
    if (kForbidden.find(c) == Text::npos) cleaned.push_back(c);
  }
  return cleaned;
}

static Text SettingsFileName(const Text& executablePath) {
  size_t slash = executablePath.rfind(u'\\');
  Text name = slash == Text::npos ? executablePath : executablePath.substr(slash + 1);
  size_t dot = name.rfind(u'.');
  if (dot != Text::npos) name.erase(dot);
  return name + u".ini";
}

bool SettingsFilePath(Text& path) {
  Text modulePath;
  if (!GetModulePath(modulePath)) return false;
  return SettingsPathFor(modulePath, os::Host().executablesHaveExtensions, path);
}

// The folders are made one level at a time, and only on the way to a write.
Text UserSettingsFilePath(const LauncherSettings& settings, const Text& executablePath,
                          bool createFolders) {
  Text folder = os::EnvironmentValue(u"APPDATA") + u'\\' + CleanProductName(settings.productName);
  if (createFolders) os::CreateFolder(folder);
  folder += u'\\' + settings.productCode;
  if (createFolders) os::CreateFolder(folder);
  return folder + u'\\' + SettingsFileName(executablePath);
}

bool PairSettingsFilePath(const LauncherSettings& settings, Text& path) {
  return !settings.pairProduct.empty() && SettingsPathFor(settings.pairProduct, true, path);
}

Text PairUserSettingsFilePath(const LauncherSettings& settings) {
  if (settings.pairProduct.empty()) return Text();
  return UserSettingsFilePath(settings, settings.pairProduct, true);
}
