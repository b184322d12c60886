// The two sets of host rules and the path predicates built on them.
#include "core/host_rules.h"

const HostRules kWindowsHost = {u';', u"Path", true, u'\\', u"bin\\", u"jvm.dll",
                                u"bin\\java.dll", true};
const HostRules kPosixHost = {u':', u"PATH", false, u'/', u"lib\\", u"libjvm.so",
                              u"lib\\libjava.so", false};

bool IsAbsolutePath(const Text& path, const HostRules& host) {
  if (!host.drivePaths) return !path.empty() && path[0] == u'\\';
  return path.size() >= 2 && (path[1] == u':' || (path[0] == u'\\' && path[1] == u'\\'));
}

Text ToNativePath(Text path, const HostRules& host) {
  ReplaceAll(path, u'\\', host.nativeSeparator);
  return path;
}

Text ToLauncherPath(Text path, const HostRules& host) {
  ReplaceAll(path, host.nativeSeparator, u'\\');
  return path;
}
