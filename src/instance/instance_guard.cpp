// When the single-instance guard is wanted; the shared objects are the operating system's
// (win32/: named objects and thread messages; posix/: the guard stays off).
#include "instance/instance_guard.h"

bool CheckSingleInstance(const LauncherSettings& settings, const TextList& arguments,
                         InstanceGuard& guard) {
  // A service is started by the service manager alone, so it has nothing to forward to.
  if (settings.serviceMode || !settings.singleInstance) return true;
  guard.enabled_ = true;
  return guard.SetUp(arguments, settings.mainClassName);
}
