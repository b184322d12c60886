// The service host's course, the same on every build: the service main, the control handler
// and the stopped report. The connection to the manager itself lives in win32/ and posix/.
#include "service/service_host.h"

#include "launcher/module_path.h"

namespace {

ServiceHost* processHost = nullptr;

}  // namespace

ServiceHost::ServiceHost(ServiceRunner& runner) : runner_(runner) { processHost = this; }

ServiceHost::~ServiceHost() {
  if (processHost == this) processHost = nullptr;
}

ServiceHost* ServiceHost::Instance() { return processHost; }

bool ServiceHost::Initialize() {
  Text path;
  return GetModulePath(path);
}

void ServiceHost::ServiceMain(const TextList& serviceArguments) {
  if (!RegisterControlHandler()) return;
  {
    os::LockHolder hold(lock_);
    MarkRunning(status_);
    if (ReportStatus() != 0) return;
  }
  int result = runner_.Run(serviceArguments);
  os::LockHolder hold(lock_);
  MarkStopped(status_, result);
  ReportStatus();
}

void ServiceHost::ControlHandler(uint32_t control) {
  bool requestStop = false;
  {
    os::LockHolder hold(lock_);
    ControlAction action = ApplyControl(control, status_);
    uint32_t error = ReportStatus();
    requestStop = action == ControlAction::ReportThenRequestStop && error == 0;
  }
  // Outside the lock: the stop may end the VM, whose exit hook reports under it.
  if (requestStop) runner_.RequestStop();
}

int ServiceHost::ReportStopped() {
  os::LockHolder hold(lock_);
  status_.currentState = kServiceStopped;
  return static_cast<int>(ReportStatus());
}

ServiceStatusRecord ServiceHost::Status() const {
  os::LockHolder hold(lock_);
  return status_;
}
