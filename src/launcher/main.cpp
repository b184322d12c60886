// Entry point: one Launcher, its prepare phase, then its run phase or the service dispatcher.
#include "launcher/launcher.h"
#include "platform/process.h"
#include "service/service_host.h"

int main() {
  Launcher launcher;
  os::UseSystemDefaultLocale();
  int result = -1;
  if (launcher.Prepare()) {
    result = launcher.serviceMode ? RunAsService(launcher) : launcher.Run();
  }
  return result;
}
