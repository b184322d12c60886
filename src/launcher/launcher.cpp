// The launcher's life: construction, the prepare and run phases, the paired relaunch and
// the working folder.
#include "launcher/launcher.h"

#include "launcher/command_line.h"
#include "launcher/messages.h"
#include "platform/process.h"

namespace {
Launcher* processLauncher = nullptr;
}

Launcher::Launcher() { processLauncher = this; }

// The VM goes first (it waits for the Java program's last non-daemon thread); the members,
// strings and lists after it.
Launcher::~Launcher() { DestroyJavaVm(); }

Launcher* Launcher::Instance() { return processLauncher; }

bool Launcher::Prepare() {
  BuildArgumentList(arguments);
  if (!ReadSettings()) return false;
  if (!CheckSingleInstance()) return false;
  // A secondary start only forwards its arguments to the running instance.
  if (instanceGuardEnabled && !instancePrimary) return true;
  if (overrideWorkingDir) SetWorkingFolder();
  return FindRuntime();
}

int Launcher::Run() {
  if (launchPaired) return RunPaired();
  if (instanceGuardEnabled && !instancePrimary) return -1;  // forwarding is not built
  PrepareRuntimeEnvironment();
  if (!BindRuntimeLibrary(runtimeLibraryPath)) return -1;
  // A missing class path has been reported; the VM is still tried with what was assembled.
  AssembleVmOptions();
  return RunVmThread() == 0 ? 0 : -1;
}

// The companion sees this executable's own command line, path first. A companion that
// cannot be started is reported instead of passing for a successful start.
int Launcher::RunPaired() {
  uint32_t exitCode = 0;
  uint32_t error = 0;
  if (!os::StartProcess(pairProduct, os::CommandLine(), pairReturnCode, exitCode, error)) {
    ReportFormattedError(LoadMessage(kMsgWindowsException),
                         {LoadMessage(kMsgModuleNotStarted), error});
    return -1;
  }
  return pairReturnCode ? static_cast<int>(exitCode) : 0;
}

void Launcher::SetWorkingFolder() {
  Text path;
  if (!GetModulePath(path)) return;
  size_t slash = path.rfind(u'\\');
  if (slash == Text::npos || slash == 0) return;
  os::SetWorkingDirectory(path.substr(0, slash));
}

bool GetModulePath(Text& path) {
  if (os::ModuleFileName(path)) return true;
  uint32_t error = os::LastError();
  ReportFormattedError(LoadMessage(kMsgWindowsException),
                       {LoadMessage(kMsgModulePathUnavailable), error});
  return false;
}
