// The runtime search: the remembered runtime folder, the private runtime, the registry, and
// the user's pick when none of them yields a runtime library.
#include "runtime/runtime_search.h"

#include "core/paths.h"
#include "launcher/module_path.h"
#include "platform/files.h"
#include "platform/host.h"
#include "runtime/runtime_not_found.h"
#include "runtime/search_observer.h"

namespace {

struct VmKind {
  const char16_t* folder;
  bool server;
};

// The order of the VMs of a runtime; the server types try the server VM before these, and a
// server-only search stops there.
const VmKind kProbeOrder[] = {{u"client", false}, {u"classic", false}, {u"hotspot", false},
                              {u"server", true},  {u"jrockit", false}};
const VmKind kServerVm = {u"server", true};

bool ProbeVm(const Text& home, const VmKind& kind, Text& path, bool& server) {
  const HostRules& host = os::Host();
  Text candidate = home + host.libraryFolder + kind.folder + u'\\' + host.libraryName;
  if (!os::FindsEntry(candidate)) return false;
  path = candidate;
  server = kind.server;
  return true;
}

}  // namespace

Text FindRuntimeLibrary(const Text& home, JvmType type, bool& server) {
  Text path;
  server = false;
  if (type != JvmType::Any) {
    if (ProbeVm(home, kServerVm, path, server)) return path;
    if (type == JvmType::Server) return Text();
  }
  for (const VmKind& kind : kProbeOrder) {
    if (ProbeVm(home, kind, path, server)) return path;
  }
  return Text();
}

bool FindPrivateRuntime(Text& home, const Text& executablePath) {
  Text modulePath = executablePath;
  if (modulePath.empty() && !GetModulePath(modulePath)) return false;
  Text folder = FolderOf(modulePath);
  const Text marker = os::Host().privateRuntimeMarker;
  if (!folder.empty() && os::FindsEntry(folder + marker)) {
    home = folder;
  } else if (os::FindsEntry(folder + u"jre\\" + marker)) {
    home = folder + u"jre\\";
  } else {
    // An empty home probes the bare sub-paths, which resolve against the working folder.
    home.clear();
  }
  return true;
}

namespace {

// The default view, then, only with a companion configured, the other view, which holds
// runtimes only a companion can load.
bool FindRegisteredRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                           RegistrySet set, RuntimeChoice& choice, SearchObserver* observer) {
  RegistryHit hit;
  bool registered = SearchRegistry(policy, set, os::RegistryView::Default, settings.pairProduct,
                                   hit, observer);
  if (!registered && !settings.pairProduct.empty()) {
    registered = SearchRegistry(policy, set, os::RegistryView::Other, settings.pairProduct, hit,
                                observer);
  }
  if (!registered) return false;
  choice.launchPaired = hit.paired;
  bool server = false;
  choice.runtimeLibraryPath = FindRuntimeLibrary(hit.home, policy.jvmType, server);
  return !choice.runtimeLibraryPath.empty();
}

}  // namespace

bool SearchRuntimeSources(const LauncherSettings& settings, const SearchPolicy& policy,
                          RuntimeChoice& choice, SearchObserver* observer,
                          const Text& executablePath) {
  Text& library = choice.runtimeLibraryPath;
  bool server = false;
  if (!settings.jrePath.empty()) {
    Text home = WithTrailingBackslash(ToLauncherPath(settings.jrePath, os::Host()));
    library = FindRuntimeLibrary(home, policy.jvmType, server);
    if (observer) observer->Folder(FolderSource::JrePath, home, library);
    if (!library.empty()) {
      choice.launchPaired = InspectRuntimeLibrary(library, settings.pairProduct);
      return true;
    }
  }
  Text home;
  if (FindPrivateRuntime(home, executablePath)) {
    library = FindRuntimeLibrary(home, policy.jvmType, server);
    if (observer) observer->Folder(FolderSource::PrivateRuntime, home, library);
    if (!library.empty()) return true;
  }
  if (FindRegisteredRuntime(settings, policy, RegistrySet::Classic, choice, observer)) {
    return true;
  }
  // Today's vendors' registrations only when the classic sources give nothing.
  return policy.vendorRuntimes &&
         FindRegisteredRuntime(settings, policy, RegistrySet::Vendors, choice, observer);
}

bool FindRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                 RuntimeChoice& choice) {
  if (SearchRuntimeSources(settings, policy, choice, nullptr)) return true;
  return AskForRuntime(settings, policy, choice);
}
