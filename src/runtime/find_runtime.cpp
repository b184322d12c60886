// The runtime search: the remembered runtime folder, the private runtime, the registry, and
// the user's pick when none of them yields a runtime library.
#include "runtime/runtime_search.h"

#include "core/paths.h"
#include "launcher/module_path.h"
#include "platform/files.h"
#include "platform/host.h"
#include "runtime/runtime_not_found.h"

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

bool FindPrivateRuntime(Text& home) {
  Text modulePath;
  if (!GetModulePath(modulePath)) return false;
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

bool FindRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                 RuntimeChoice& choice) {
  Text& library = choice.runtimeLibraryPath;
  bool server = false;
  if (!settings.jrePath.empty()) {
    Text home = WithTrailingBackslash(ToLauncherPath(settings.jrePath, os::Host()));
    library = FindRuntimeLibrary(home, policy.jvmType, server);
    if (!library.empty()) {
      choice.launchPaired = InspectRuntimeLibrary(library, settings.pairProduct);
      return true;
    }
  }
  Text home;
  if (FindPrivateRuntime(home)) {
    library = FindRuntimeLibrary(home, policy.jvmType, server);
    if (!library.empty()) return true;
  }
  bool registered = SearchRegistry(policy, os::RegistryView::Default, home);
  // The other view holds runtimes only a companion can load.
  if (!registered && !settings.pairProduct.empty()) {
    registered = SearchRegistry(policy, os::RegistryView::Other, home);
    choice.launchPaired = registered;
  }
  if (registered) {
    library = FindRuntimeLibrary(home, policy.jvmType, server);
    if (!library.empty()) return true;
  }
  return AskForRuntime(settings, policy, choice);
}
