// The service's side of the launch: the run with the start words, stop threads, and the VM's
// exit told to the host.
#include "service/service_runner.h"

#include "platform/threads.h"
#include "service/service_host.h"
#include "service/service_state.h"

namespace {

ServiceRunner* processRunner = nullptr;

// The thread is detached and may outlive the runner, so it looks the runner up rather than
// carrying a pointer that could dangle; its result is the thread's exit code, read by nobody.
int StopThreadMain(void*) {
  ServiceRunner* runner = ServiceRunner::Instance();
  if (!runner || !runner->application) return 0;
  return runner->application->RequestStop() ? 1 : 0;
}

}  // namespace

ServiceRunner::ServiceRunner() { processRunner = this; }

ServiceRunner::~ServiceRunner() {
  if (processRunner == this) processRunner = nullptr;
}

ServiceRunner* ServiceRunner::Instance() { return processRunner; }

int ServiceRunner::Run(const TextList& serviceArguments) {
  if (!application) return -1;
  return application->Run(ServiceStartWords(serviceArguments, omitServiceName));
}

// A thread that cannot be started leaves the service stop pending until the program ends by
// itself, as a stop the program does not answer would.
void ServiceRunner::RequestStop() { os::StartDetachedThread(StopThreadMain, nullptr); }

void ServiceRunner::OnExit(int code) {
  vmEnding_ = true;
  if (code == 0 && host) host->ReportStopped();
}

void ServiceRunner::OnAbort() {}

void ServiceRunner::OnVmCreated() {
  if (host) host->OnVmCreated();
}
