// The service host of the Linux host build: a foreground service, as a service manager such as
// systemd runs one (Type=simple). There is no manager to report to; SIGTERM and SIGINT are the
// stop control, handled exactly as the Windows control handler handles a stop.
#include "service/service_host.h"

#include <errno.h>
#include <semaphore.h>
#include <signal.h>

#include "platform/threads.h"

namespace {

const int kStopSignals[] = {SIGTERM, SIGINT};

// Posted once for every stop signal; sem_post is one of the few calls a handler may make.
sem_t stopSignalsPending;
// A signal that was ignored when the service started (nohup, a shell's background job) stays
// ignored, as the VM itself leaves it.
bool ignoredAtStart[2] = {false, false};

void OnStopSignal(int) {
  int savedErrno = errno;
  sem_post(&stopSignalsPending);
  errno = savedErrno;
}

void SetStopSignalAction(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 2; ++i) {
    if (!ignoredAtStart[i]) sigaction(kStopSignals[i], &action, nullptr);
  }
}

// Each signal becomes the stop control here, outside the handler, where a thread may be started.
int StopSignalWatcher(void*) {
  for (;;) {
    if (sem_wait(&stopSignalsPending) != 0) continue;  // interrupted
    if (ServiceHost* host = ServiceHost::Instance()) host->ControlHandler(kServiceControlStop);
  }
}

}  // namespace

// The run phase runs on the calling thread, with no service name and no start parameters. The
// exit code is what a service manager can see: the failed run phase's code, else 0.
int ServiceHost::RunDispatcher() {
  for (int i = 0; i < 2; ++i) {
    struct sigaction current = {};
    sigaction(kStopSignals[i], nullptr, &current);
    ignoredAtStart[i] = current.sa_handler == SIG_IGN;
  }
  if (sem_init(&stopSignalsPending, 0, 0) != 0) return errno;
  if (uint32_t error = os::StartDetachedThread(StopSignalWatcher, nullptr)) {
    return static_cast<int>(error);
  }
  ServiceMain(TextList());
  ServiceStatusRecord status = Status();
  return status.win32ExitCode == kErrorServiceSpecificError
             ? static_cast<int>(status.serviceSpecificExitCode)
             : 0;
}

// Until the VM exists a stop signal does nothing: there is nothing to stop yet. Ignoring the
// signals (rather than handling them) also keeps them through the VM's creation: a VM finds
// them ignored and leaves them so, where it would otherwise install handlers of its own that
// end the process at once.
bool ServiceHost::RegisterControlHandler() {
  SetStopSignalAction(SIG_IGN);
  return true;
}

uint32_t ServiceHost::ReportStatus() { return 0; }

// From now on each signal is a stop request; after the VM is destroyed it finds no VM and does
// nothing again.
void ServiceHost::OnVmCreated() { SetStopSignalAction(OnStopSignal); }
