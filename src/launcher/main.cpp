// Entry point: one Launcher, its prepare phase, then its run phase or the service dispatcher.
#include <cstdlib>

#include "launcher/launcher.h"
#include "launcher/service_launch.h"
#include "platform/process.h"

int main() {
  Launcher launcher;
  ServiceLaunch service(launcher);
  os::UseSystemDefaultLocale();
  int result = -1;
  if (launcher.Prepare()) {
    result = launcher.settings.serviceMode ? service.RunDispatcher() : launcher.Run();
  }
  return result;
}

// An exception that escapes ends the process at once. The C++ runtime's own handler would
// print the exception's type first, and for that it links its whole symbol demangler into
// the statically linked executable, a quarter of its size.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
