// The Java side of the launcher: the entry points bound from the runtime library, the VM with
// the VM thread's environment, and everything the VM is created with.
#pragma once

#include <cstdint>
#include <vector>

#include "config/settings_sources.h"
#include "core/text.h"
#include "jvm/java_runtime.h"
#include "platform/threads.h"

class JavaHost {
 public:
  JavaHost() = default;
  JavaHost(const JavaHost&) = delete;
  JavaHost& operator=(const JavaHost&) = delete;

  // Environment variables, PATH and the library path option, before the runtime library is
  // loaded (vm_options.cpp).
  void PrepareRuntimeEnvironment(const Text& runtimeLibraryPath, const Text& libraryPath,
                                 const Text& systemPath);
  // The class path and VM parameters as options, the stream targets, and the Cmd words
  // appended to `arguments`; false, with message 209, when there is no class path.
  bool AssembleVmOptions(const SettingsSource& settings, TextList& arguments);
  void AddVmParameter(Text parameter, TextList& list);

  // Loads the runtime library and binds its entry points (vm_binding.cpp).
  bool BindRuntimeLibrary(const Text& path);
  // The runtime's own Java stack size; 0 when it names none.
  int DefaultJavaStackSize() const;
  // Creates the VM on the calling thread with the options and the two hooks, then redirects
  // the standard streams.
  bool CreateJavaVm(VmExitHookFunction exitHook, VmAbortHookFunction abortHook);
  // Waits for the Java program's last non-daemon thread; nothing when no VM exists.
  void DestroyJavaVm();

  // Loads the main class and calls its static main with the arguments on the VM thread; the
  // thread is detached afterwards, or on a runtime that admits IBM's VMs kept attached for
  // good (main_class.cpp). `mainReady`, when given, is set just before main is called.
  bool InvokeMainClass(const Text& mainClassName, const TextList& arguments, bool failureCheck,
                       bool staysAttached, os::Event* mainReady);
  jclass LoadMainClass(const Text& mainClassName);

  // System.out and System.err to the configured files (stream_redirection.cpp).
  void RedirectStandardStreams();
  bool RedirectStream(const Text& name, bool append, const char* setter);

  CreateJavaVmFunction createJavaVm = nullptr;
  GetDefaultJavaVmInitArgsFunction getDefaultJavaVmInitArgs = nullptr;
  FindClassFromBootLoaderFunction findClassFromBootLoader = nullptr;
  JavaVM* javaVm = nullptr;
  JNIEnv* jniEnv = nullptr;
  std::vector<ByteString> vmOptions;
  int32_t vmThreadStackSize = 0;  // bytes; 0 for the runtime's default
  Text outputFile;
  Text errorFile;
  bool appendOutput = false;
  bool appendError = false;
};
