// The connection between the launch and a service manager. On Windows that is the service
// control manager: its dispatcher, the control handler and the status reports. The Linux host
// build runs the service in the foreground, as a service manager such as systemd runs one, and
// takes SIGTERM and SIGINT for the stop control.
#pragma once

#include <cstdint>

#include "core/text.h"
#include "platform/lock.h"
#include "service/service_runner.h"
#include "service/service_state.h"

class ServiceHost {
 public:
  // Registers the host in the process-wide pointer, where the manager's callbacks, which carry
  // no context, find it.
  explicit ServiceHost(ServiceRunner& runner);
  ~ServiceHost();
  ServiceHost(const ServiceHost&) = delete;
  ServiceHost& operator=(const ServiceHost&) = delete;

  static ServiceHost* Instance();

  // The host needs the executable's own path; false, with the failure reported, without it.
  bool Initialize();
  // Hands the calling thread to the service manager until the service has stopped; the process
  // exit code: 0, or why the dispatcher could not start (1063 from a console). The Linux host
  // build ends with the code a failed run phase was reported with, and 0 otherwise.
  int RunDispatcher();
  // Reports the stopped state with the codes as they stand; 0, or why the report failed.
  int ReportStopped();
  // The Java VM exists now: the Linux host build takes the stop signals over from it.
  void OnVmCreated();

  // What the manager's callbacks do. The service main: register the control handler, report
  // running, run, report stopped (with the run phase's failure, if any).
  void ServiceMain(const TextList& serviceArguments);
  // Stop and shutdown report stop pending and start a stop thread; any other control re-reports
  // the record unchanged. Returns at once.
  void ControlHandler(uint32_t control);

  // The record as last changed.
  ServiceStatusRecord Status() const;

 private:
  // Connects the control handler to the manager; false when the manager refuses.
  bool RegisterControlHandler();
  // Reports the whole record; 0, or why not. Called with the lock held.
  uint32_t ReportStatus();

  ServiceRunner& runner_;
  // Changed and reported under the lock, so that each report carries one consistent record.
  ServiceStatusRecord status_;
  mutable os::Lock lock_;
  void* statusHandle_ = nullptr;  // SERVICE_STATUS_HANDLE on Windows
};
