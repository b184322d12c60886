// The service's side of the launch: it runs the application with the service's start words,
// starts a stop thread for every accepted stop, and tells the host when the VM exits.
#pragma once

#include <atomic>

#include "core/text.h"
#include "service/service_application.h"
#include "service/service_status.h"

class ServiceHost;

class ServiceRunner : public ServiceStatusReporter {
 public:
  // Registers the runner in the process-wide pointer, where stop threads find it.
  ServiceRunner();
  ~ServiceRunner();
  ServiceRunner(const ServiceRunner&) = delete;
  ServiceRunner& operator=(const ServiceRunner&) = delete;

  // Null before construction and after destruction: a late stop thread then does nothing.
  static ServiceRunner* Instance();

  // Runs the application on the calling thread with the words the manager started the service
  // with (its name, then the start parameters); the run phase's result.
  int Run(const TextList& serviceArguments);
  // Starts a stop thread that asks the application to stop; nobody waits for it or keeps it.
  void RequestStop();

  // Code 0 reports the service stopped before the VM ends the process; any other code
  // reports nothing.
  void OnExit(int code) override;
  void OnAbort() override;
  void OnVmCreated() override;

  // The VM's exit hook has run: the VM is ending the process on another thread, with the code
  // the program passed to System.exit.
  bool VmIsEnding() const { return vmEnding_; }

  // Set by the entry point just before the dispatcher starts, and unchanged while it runs.
  ServiceHost* host = nullptr;
  ServiceApplication* application = nullptr;
  bool omitServiceName = false;

 private:
  std::atomic<bool> vmEnding_{false};
};
