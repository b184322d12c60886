// Binding the runtime library, and creating and destroying the Java VM.
#include <cstring>
#include <vector>

#include "jvm/java_host.h"
#include "launcher/messages.h"
#include "platform/host.h"
#include "platform/library.h"

namespace {

// The reasons follow the JNI error codes -1 to -6 in order; other codes have none.
Text CreationFailureReason(jint result) {
  if (result < JNI_EINVAL || result > JNI_ERR) return Text();
  return LoadMessage(kMsgReasonUnknown + (JNI_ERR - result));
}

template <typename Function>
uint32_t BindSymbol(void* library, const char* name, Function& function) {
  void* symbol = nullptr;
  uint32_t error = os::LibrarySymbol(library, name, symbol);
  function = reinterpret_cast<Function>(symbol);
  return error;
}

}  // namespace

bool JavaHost::BindRuntimeLibrary(const Text& path) {
  void* library = nullptr;
  if (uint32_t error = os::LoadLibraryForGood(path, library)) {
    ReportFormattedError(LoadMessage(kMsgRuntimeLibraryNotLoaded),
                         {ToNativePath(path, os::Host()), error});
    return false;
  }
  uint32_t error = BindSymbol(library, "JNI_CreateJavaVM", createJavaVm);
  if (error == 0) {
    error = BindSymbol(library, "JNI_GetDefaultJavaVMInitArgs", getDefaultJavaVmInitArgs);
  }
  if (error != 0) {
    ReportFormattedError(LoadMessage(kMsgWindowsException),
                         {LoadMessage(kMsgCreateJavaVmMissing), error});
    return false;
  }
  // Optional: without it the main class is loaded with FindClass alone.
  BindSymbol(library, "JVM_FindClassFromBootLoader", findClassFromBootLoader);
  return true;
}

int JavaHost::DefaultJavaStackSize() const {
  JDK1_1InitArgs args;
  std::memset(&args, 0, sizeof(args));
  args.version = JNI_VERSION_1_1;
  getDefaultJavaVmInitArgs(&args);
  return args.javaStackSize > 0 ? static_cast<int>(args.javaStackSize) : 0;
}

bool JavaHost::CreateJavaVm(VmExitHookFunction exitHook, VmAbortHookFunction abortHook) {
  std::vector<JavaVMOption> options;
  for (ByteString& option : vmOptions) options.push_back({&option[0], nullptr});
  options.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(abortHook)});
  options.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(exitHook)});
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

void JavaHost::DestroyJavaVm() {
  if (!javaVm) return;
  javaVm->DestroyJavaVM();
  javaVm = nullptr;
}
