// The one process-wide launcher: its settings, arguments, search results, bound runtime entry
// points and VM, and the prepare and run phases that use them.
#pragma once

#include <cstdint>

#include "core/text.h"
#include "jvm/java_runtime.h"
#include "runtime/version.h"

class ServiceStatusReporter;

enum class JvmType { Any, Server, FavorServer };

class Launcher {
 public:
  Launcher();
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // Reached by the VM hooks, which carry no context of their own.
  static Launcher* Instance();

  bool Prepare();
  int Run();
  void SetWorkingFolder();

  // Settings (config/read_settings.cpp).
  bool ReadSettings();
  // Single-instance guard (instance/).
  bool CheckSingleInstance();
  // Runtime discovery (runtime/).
  bool FindRuntime();
  // One pass over the registered runtimes, in the default registry view or the other one
  // (the 64-bit view for the 32-bit launcher, the 32-bit view for its 64-bit companion).
  bool SearchRegistry(bool otherView, Text& home);
  void InspectRuntimeLibrary();
  // Hosting (jvm/).
  void PrepareRuntimeEnvironment();
  bool BindRuntimeLibrary(const Text& path);
  bool AssembleVmOptions();
  void AddVmParameter(Text parameter, TextList& list);
  int RunVmThread();
  bool CreateJavaVm();
  int DefaultJavaStackSize();
  void DestroyJavaVm();
  jclass LoadMainClass();
  bool InvokeMainClass();
  // Shows the stack trace of an exception main did not catch; 1 asks to end the program.
  int ReportUncaughtException(const Text& stackTrace);
  void RedirectStandardStreams();
  bool RedirectStream(const Text& name, bool append, const char* setter);

  ServiceStatusReporter* statusReporter = nullptr;
  JvmType jvmType = JvmType::Any;
  Text runtimeLibraryPath;
  JavaVM* javaVm = nullptr;
  JNIEnv* jniEnv = nullptr;
  Text mainClassName;
  VersionNumber minVersion;
  VersionNumber maxVersion;
  TextList arguments;
  bool serviceMode = false;
  bool omitServiceName = false;
  bool wantJdk = false;
  bool wantJre = false;
  bool favorSource = true;
  bool searchJRockit = false;
  bool searchJavaSoft = true;
  bool searchIbm = false;
  bool preferJRockit = false;
  bool preferJavaSoft = true;
  bool preferIbm = false;
  Text productName;
  Text productCode;
  Text upgradeCode;
  std::vector<ByteString> vmOptions;
  TextList preferredVersions;
  Text jrePath;
  Text libraryPath;
  bool instanceGuardEnabled = false;
  bool instancePrimary = false;
  Text outputFile;
  Text errorFile;
  bool appendOutput = false;
  bool appendError = false;
  Text systemPath;
  Text extraArguments;
  Text pairProduct;
  bool pairReturnCode = false;
  bool failureCheck = false;
  bool overrideWorkingDir = false;
  int32_t vmThreadStackSize = 0;
  bool launchPaired = false;
  CreateJavaVmFunction createJavaVm = nullptr;
  GetDefaultJavaVmInitArgsFunction getDefaultJavaVmInitArgs = nullptr;
  FindClassFromBootLoaderFunction findClassFromBootLoader = nullptr;

 private:
  int RunPaired();
};

// The executable's full path; reports message 202 with 208 when it cannot be had.
bool GetModulePath(Text& path);
