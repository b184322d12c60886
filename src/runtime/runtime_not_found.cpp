// What the runtime-not-found dialog says, and what its OK does.
#include "runtime/runtime_not_found.h"

#include "config/settings_paths.h"
#include "launcher/messages.h"
#include "launcher/module_path.h"
#include "platform/profile.h"

namespace {

const char16_t kRuntimeSection[] = u"Java Runtime Environment";
const char16_t kJrePathKey[] = u"JRE Path";

void RememberRuntimeFolder(const LauncherSettings& settings, const Text& folder) {
  Text path;
  if (!SettingsFilePath(path)) return;
  if (settings.serviceMode) {
    // A service has no user profile of its own to remember it in.
    os::WriteProfileString(kRuntimeSection, kJrePathKey, folder, path);
    Text pairPath;
    if (PairSettingsFilePath(settings, pairPath)) {
      os::WriteProfileString(kRuntimeSection, kJrePathKey, folder, pairPath);
    }
    return;
  }
  Text modulePath;
  if (!GetModulePath(modulePath)) return;
  os::WriteProfileString(kRuntimeSection, kJrePathKey, folder,
                         UserSettingsFilePath(settings, modulePath, true));
  if (!settings.pairProduct.empty()) {
    os::WriteProfileString(kRuntimeSection, kJrePathKey, folder,
                           PairUserSettingsFilePath(settings));
  }
}

}  // namespace

Text RuntimeNotFoundMessage(const SearchPolicy& policy) {
  int message =
      policy.jvmType == JvmType::Server ? kMsgServerRuntimeNotFound : kMsgRuntimeNotFound;
  return FormatMessageId(message,
                         {DescribeRequiredVersion(policy.minVersion, policy.maxVersion)});
}

void AcceptRuntimeFolder(const LauncherSettings& settings, const Text& folder,
                         const Text& library, RuntimeChoice& choice) {
  choice.runtimeLibraryPath = library;
  choice.launchPaired = InspectRuntimeLibrary(library, settings.pairProduct);
  RememberRuntimeFolder(settings, folder);
}
