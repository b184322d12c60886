// Benchmark baseline under Wine: loads a runtime library and creates its VM, nothing more,
// so that the launcher's start can be set against the bare cost of the runtime it hosts.
#include "jvm/java_runtime.h"
#include "platform/win32/win32_api.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HMODULE library = LoadLibraryA(argv[1]);
  if (!library) return 3;
  auto create = reinterpret_cast<CreateJavaVmFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "JNI_CreateJavaVM")));
  if (!create) return 4;
  JavaVMOption option = {const_cast<char*>("-Djava.class.path=app.jar"), nullptr};
  JavaVMInitArgs args = {JNI_VERSION_1_2, 1, &option, JNI_FALSE};
  JavaVM* vm = nullptr;
  void* env = nullptr;
  return create(&vm, &env, &args) == JNI_OK ? 0 : 1;
}
