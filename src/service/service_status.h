// What the VM's exit and abort hooks tell a service host, so a service reports itself stopped.
#pragma once

class ServiceStatusReporter {
 public:
  virtual void OnExit(int code) = 0;
  virtual void OnAbort() = 0;

 protected:
  ~ServiceStatusReporter() = default;
};
