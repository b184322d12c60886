// Service mode at the entry point.
#include "launcher/service_launch.h"

#include "platform/threads.h"

// The start words come after the command-line words and before the Cmd words, which the run
// phase appends as it assembles the VM options.
int LauncherServiceApplication::Run(const TextList& startWords) {
  launcher_.arguments.insert(launcher_.arguments.end(), startWords.begin(), startWords.end());
  return launcher_.Run();
}

bool LauncherServiceApplication::RequestStop() { return launcher_.RequestJavaStop(); }

ServiceLaunch::ServiceLaunch(Launcher& launcher)
    : launcher_(launcher), application_(launcher), host_(runner_) {}

ServiceLaunch::~ServiceLaunch() {
  if (launcher_.statusReporter == &runner_) launcher_.statusReporter = nullptr;
}

int ServiceLaunch::RunDispatcher() {
  if (!host_.Initialize()) return -1;
  runner_.host = &host_;
  runner_.application = &application_;
  runner_.omitServiceName = launcher_.settings.omitServiceName;
  launcher_.statusReporter = &runner_;
  int result = host_.RunDispatcher();
  // A System.exit(0) reports the service stopped from inside the VM, and the dispatcher returns
  // while the VM is still ending the process. The objects its exit hook is using, and the VM
  // itself, are left to it: the process ends with the program's code, as System.exit does in
  // an ordinary start.
  if (runner_.VmIsEnding()) os::SleepForever();
  return result;
}
