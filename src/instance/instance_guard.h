// The single-instance guard: whether this start is the running instance, which serves the
// arguments of later starts to the Java program, or a later start that forwards its own
// arguments to it and ends with its reply.
#pragma once

#include <memory>

#include "config/launcher_settings.h"
#include "core/text.h"
#include "jvm/java_runtime.h"
#include "platform/threads.h"

class InstanceGuard {
 public:
  InstanceGuard();
  // Stops the listener and lets go of the shared objects; the launcher's end runs it after
  // the VM is gone, and the main-ready event goes last.
  ~InstanceGuard();
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // A start that only forwards its arguments to the running instance.
  bool IsSecondary() const { return enabled_ && !primary_; }

  // The running instance: the event the VM thread sets just before main runs, from when on
  // forwarded arguments are served; null in any other start.
  os::Event* MainReadyEvent();
  // The running instance: the VM the forwarded arguments are served in, and whether its
  // workers detach from it when done. Called on the VM thread before main-ready is set.
  void ServeWith(JavaVM* vm, bool detachWorkers);

  // A forwarding start: the running instance's reply, or its exit code when it ends without
  // one; this start's exit code.
  int WaitForPrimaryReply();

  // The shared objects and threads, as the operating system's side keeps them.
  struct State;

 private:
  friend bool CheckSingleInstance(const LauncherSettings& settings, const TextList& arguments,
                                  InstanceGuard& guard);
  // Creates or finds the shared objects and, in a later start, forwards the arguments; false
  // when they cannot be forwarded. A guard that cannot be set up is turned off.
  bool SetUp(const TextList& arguments, const Text& mainClassName);

  std::unique_ptr<State> state_;
  bool enabled_ = false;
  bool primary_ = false;
};

// Sets the guard up as the settings ask (never in service mode, only for exactly "yes") and
// forwards a later start's arguments; false when this start must end with -1.
bool CheckSingleInstance(const LauncherSettings& settings, const TextList& arguments,
                         InstanceGuard& guard);
