// What the Java VM's life tells a service host: that the VM now exists, and that it exits or
// aborts, so a service reports itself stopped. The launcher calls these through its
// `statusReporter`, which is set in service mode only.
#pragma once

class ServiceStatusReporter {
 public:
  // The VM's exit hook, on whichever thread ends the VM; the process ends after it.
  virtual void OnExit(int code) = 0;
  // The VM's abort hook.
  virtual void OnAbort() = 0;
  // The VM has been created and the Java program is about to start, on the VM thread.
  virtual void OnVmCreated() = 0;

 protected:
  ~ServiceStatusReporter() = default;
};
