// Binding the runtime library, the VM thread, and creating and destroying the Java VM.
#include <cstring>
#include <vector>

#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "platform/host.h"
#include "platform/library.h"
#include "platform/process.h"
#include "platform/threads.h"
#include "service/service_status.h"

namespace {

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
  Launcher* launcher = static_cast<Launcher*>(argument);
  if (!launcher || !launcher->CreateJavaVm()) return 1;
  if (!launcher->InvokeMainClass()) {
    // A thread that ends still attached counts as a live Java thread, and the VM's
    // destruction at the launcher's end would wait for it forever.
    launcher->javaVm->DetachCurrentThread();
    return 1;
  }
  if (launcher->serviceMode) launcher->DestroyJavaVm();
  return 0;
}

// The reasons follow the JNI error codes -1 to -6 in order; other codes have none.
Text CreationFailureReason(jint result) {
  if (result < JNI_EINVAL || result > JNI_ERR) return Text();
  return LoadMessage(kMsgReasonUnknown + (JNI_ERR - result));
}

template <typename Function>
bool BindSymbol(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(os::LibrarySymbol(library, name));
  return function != nullptr;
}

}  // namespace

bool Launcher::BindRuntimeLibrary(const Text& path) {
  void* library = os::LoadLibraryForGood(path);
  if (!library) {
    uint32_t error = os::LastError();
    ReportFormattedError(LoadMessage(kMsgRuntimeLibraryNotLoaded),
                         {ToNativePath(path, os::Host()), error});
    return false;
  }
  if (!BindSymbol(library, "JNI_CreateJavaVM", createJavaVm) ||
      !BindSymbol(library, "JNI_GetDefaultJavaVMInitArgs", getDefaultJavaVmInitArgs)) {
    uint32_t error = os::LastError();
    ReportFormattedError(LoadMessage(kMsgWindowsException),
                         {LoadMessage(kMsgCreateJavaVmMissing), error});
    return false;
  }
  // Optional: without it the main class is loaded with FindClass alone.
  BindSymbol(library, "JVM_FindClassFromBootLoader", findClassFromBootLoader);
  return true;
}

int Launcher::DefaultJavaStackSize() {
  JDK1_1InitArgs args;
  std::memset(&args, 0, sizeof(args));
  args.version = JNI_VERSION_1_1;
  getDefaultJavaVmInitArgs(&args);
  return args.javaStackSize > 0 ? static_cast<int>(args.javaStackSize) : 0;
}

int Launcher::RunVmThread() {
  if (vmThreadStackSize == 0) vmThreadStackSize = DefaultJavaStackSize();
  int exitCode = 1;
  if (os::RunThreadAndWait(VmThreadMain, this, static_cast<uint32_t>(vmThreadStackSize),
                           exitCode) != 0) {
    return VmThreadMain(this);
  }
  return exitCode;
}

bool Launcher::CreateJavaVm() {
  std::vector<JavaVMOption> options;
  for (ByteString& option : vmOptions) options.push_back({&option[0], nullptr});
  options.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&VmAbortHook)});
  options.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&VmExitHook)});
  JavaVMInitArgs args;
  args.version = JNI_VERSION_1_2;
  args.nOptions = static_cast<jint>(options.size());
  args.options = options.data();
  args.ignoreUnrecognized = JNI_FALSE;
  jint result = createJavaVm(&javaVm, reinterpret_cast<void**>(&jniEnv), &args);
  if (result != JNI_OK) {
    // Nothing to destroy later, whatever the runtime left in the out parameters.
    javaVm = nullptr;
    jniEnv = nullptr;
    ReportFormattedError(LoadMessage(kMsgJniException),
                         {LoadMessage(kMsgCreateJavaVmFailed), CreationFailureReason(result)});
    return false;
  }
  RedirectStandardStreams();
  return true;
}

void Launcher::DestroyJavaVm() {
  if (!javaVm) return;
  javaVm->DestroyJavaVM();
  javaVm = nullptr;
}
