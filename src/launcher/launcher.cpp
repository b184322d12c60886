// The launcher's life: construction, the prepare and run phases, the paired relaunch, the
// working folder, and the VM thread with the hooks through which the VM reports its end.
#include "launcher/launcher.h"

#include "config/settings_paths.h"
#include "jvm/stop_request.h"
#include "launcher/command_line.h"
#include "launcher/messages.h"
#include "launcher/module_path.h"
#include "platform/process.h"
#include "platform/threads.h"

namespace {

Launcher* processLauncher = nullptr;

// The runtime calls these on whichever thread ends or aborts the VM; they only tell a
// service host, so that a service reports itself stopped.
void JNICALL VmExitHook(jint code) {
  Launcher* launcher = Launcher::Instance();
  if (launcher && launcher->statusReporter) launcher->statusReporter->OnExit(code);
}

void JNICALL VmAbortHook() {
  Launcher* launcher = Launcher::Instance();
  if (launcher && launcher->statusReporter) launcher->statusReporter->OnAbort();
}

int VmThreadMain(void* argument) {
  Launcher& launcher = *static_cast<Launcher*>(argument);
  if (!launcher.CreateJavaVm() || !launcher.InvokeMainClass()) return 1;
  if (launcher.settings.serviceMode) launcher.DestroyJavaVm();
  return 0;
}

}  // namespace

Launcher::Launcher() { processLauncher = this; }

// The VM goes first (it waits for the Java program's last non-daemon thread); the parts,
// strings and lists after it, among them the instance guard, which stops its listener before
// it lets go of the shared objects and the main-ready event.
Launcher::~Launcher() {
  DestroyJavaVm();
  processLauncher = nullptr;
}

Launcher* Launcher::Instance() { return processLauncher; }

bool Launcher::Prepare() {
  BuildArgumentList(arguments);
  if (!ReadSettings()) return false;
  if (!CheckSingleInstance(settings, arguments, instance)) return false;
  // A secondary start only forwards its arguments to the running instance.
  if (instance.IsSecondary()) return true;
  if (settings.overrideWorkingDir) SetWorkingFolder();
  return FindRuntime(settings, search, runtime);
}

int Launcher::Run() {
  if (runtime.launchPaired) return RunPaired();
  if (instance.IsSecondary()) return instance.WaitForPrimaryReply();
  PrepareRuntimeEnvironment();
  if (!BindRuntimeLibrary(runtime.runtimeLibraryPath)) return -1;
  // A missing class path has been reported; the VM is still tried with what was assembled.
  AssembleVmOptions();
  return RunVmThread() == 0 ? 0 : -1;
}

// The companion sees this executable's own command line, path first. A companion that
// cannot be started is reported instead of passing for a successful start.
int Launcher::RunPaired() {
  uint32_t exitCode = 0;
  uint32_t error = os::StartProcess(settings.pairProduct, os::CommandLine(),
                                    settings.pairReturnCode, exitCode);
  if (error != 0) {
    ReportFormattedError(LoadMessage(kMsgWindowsException),
                         {LoadMessage(kMsgModuleNotStarted), error});
    return -1;
  }
  return settings.pairReturnCode ? static_cast<int>(exitCode) : 0;
}

void Launcher::SetWorkingFolder() {
  Text path;
  if (!GetModulePath(path)) return;
  size_t slash = path.rfind(u'\\');
  if (slash == Text::npos || slash == 0) return;
  // A folder that cannot be entered leaves the working folder as it was.
  os::SetWorkingDirectory(path.substr(0, slash));
}

// The product identity comes from the file alone, since it keys the embedded layer; the
// search policy and the other settings are read through both layers.
bool Launcher::ReadSettings() {
  Text path;
  if (!SettingsFilePath(path)) return false;
  layered_.emplace(ReadProductAndLayers(path, settings));
  search = ReadSearchPolicy(*layered_);
  return ReadLauncherSettings(*layered_, settings);
}

void Launcher::PrepareRuntimeEnvironment() {
  host.PrepareRuntimeEnvironment(runtime.runtimeLibraryPath, settings.libraryPath,
                                 settings.systemPath);
}

bool Launcher::BindRuntimeLibrary(const Text& path) { return host.BindRuntimeLibrary(path); }

// The options come from the settings ReadSettings read; without them there are none.
bool Launcher::AssembleVmOptions() {
  return layered_ && host.AssembleVmOptions(*layered_, arguments);
}

// A thread that cannot be started leaves the VM to the calling thread.
int Launcher::RunVmThread() {
  if (host.vmThreadStackSize == 0) host.vmThreadStackSize = host.DefaultJavaStackSize();
  int exitCode = 1;
  uint32_t stackSize = static_cast<uint32_t>(host.vmThreadStackSize);
  if (os::RunThreadAndWait(VmThreadMain, this, stackSize, exitCode) != 0) {
    return VmThreadMain(this);
  }
  return exitCode;
}

// A service host learns that the VM exists before the Java program starts (the Linux host build
// starts answering its stop signals then).
bool Launcher::CreateJavaVm() {
  if (!host.CreateJavaVm(VmExitHook, VmAbortHook)) return false;
  if (statusReporter) statusReporter->OnVmCreated();
  return true;
}

// Forwarded starts are served in the VM this thread has made, from when main is about to run.
bool Launcher::InvokeMainClass() {
  instance.ServeWith(host.javaVm, !search.AdmitsIbm());
  return host.InvokeMainClass(settings.mainClassName, arguments, settings.failureCheck,
                              search.AdmitsIbm(), instance.MainReadyEvent());
}

void Launcher::DestroyJavaVm() { host.DestroyJavaVm(); }

// The VM pointer is read without a lock: it is written only at creation and destruction, and a
// stop before the one or after the other finds none and does nothing.
bool Launcher::RequestJavaStop() {
  return ::RequestJavaStop(host.javaVm, settings.mainClassName, search.AdmitsIbm());
}
