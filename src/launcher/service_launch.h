// Service mode at the entry point: the launcher as the service host's application, and the
// runner and host it is run by, made just after the launcher and gone before it.
#pragma once

#include "launcher/launcher.h"
#include "service/service_application.h"
#include "service/service_host.h"
#include "service/service_runner.h"

// The launcher's run phase and stop request, as the service host calls them.
class LauncherServiceApplication final : public ServiceApplication {
 public:
  explicit LauncherServiceApplication(Launcher& launcher) : launcher_(launcher) {}
  int Run(const TextList& startWords) override;
  bool RequestStop() override;

 private:
  Launcher& launcher_;
};

class ServiceLaunch {
 public:
  explicit ServiceLaunch(Launcher& launcher);
  // The launcher outlives the runner: its VM hooks must not reach a runner that is gone.
  ~ServiceLaunch();
  ServiceLaunch(const ServiceLaunch&) = delete;
  ServiceLaunch& operator=(const ServiceLaunch&) = delete;

  // After a successful prepare phase in service mode: the host initialises itself (-1 when it
  // cannot), the runner and the launcher's status reporter are connected, and the dispatcher
  // runs until the service has stopped. The process exit code.
  int RunDispatcher();

 private:
  Launcher& launcher_;
  LauncherServiceApplication application_;
  ServiceRunner runner_;
  ServiceHost host_;
};
