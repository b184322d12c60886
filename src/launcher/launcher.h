// The one process-wide launcher: it owns the parts each subsystem works on (the settings as
// read, the search policy and the runtime chosen, the single-instance guard, the Java host)
// and runs the prepare and run phases with them.
#pragma once

#include <optional>

#include "config/launcher_settings.h"
#include "core/text.h"
#include "instance/instance_guard.h"
#include "jvm/java_host.h"
#include "runtime/runtime_search.h"
#include "runtime/search_policy.h"
#include "service/service_status.h"

class Launcher {
 public:
  Launcher();
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // Reached by the VM hooks, which carry no context of their own; null once the launcher is
  // gone.
  static Launcher* Instance();

  bool Prepare();
  int Run();
  void SetWorkingFolder();

  bool ReadSettings();
  void PrepareRuntimeEnvironment();
  bool BindRuntimeLibrary(const Text& path);
  bool AssembleVmOptions();
  int RunVmThread();
  // The steps of the VM thread.
  bool CreateJavaVm();
  bool InvokeMainClass();
  void DestroyJavaVm();
  // On a stop thread: the Java program's static stop(), or System.exit(0) without one.
  bool RequestJavaStop();

  ServiceStatusReporter* statusReporter = nullptr;  // set in service mode only
  TextList arguments;     // for the Java program's main method
  LauncherSettings settings;
  SearchPolicy search;
  RuntimeChoice runtime;
  InstanceGuard instance;
  JavaHost host;

 private:
  int RunPaired();

  // The settings as ReadSettings read them, asked again for the VM options, so that a start
  // reads its settings file once.
  std::optional<LayeredSettings> layered_;
};
