// Asking the running Java program to stop from a launcher thread.
#include "jvm/stop_request.h"

#include "jvm/java_calls.h"
#include "jvm/vm_thread_attachment.h"
#include "platform/process.h"

namespace {

// Prints and clears the pending exception, if there is one.
void DescribePending(JNIEnv* env) {
  if (env->ExceptionOccurred()) env->ExceptionDescribe();
}

}  // namespace

bool RequestJavaStop(JavaVM* vm, const Text& mainClassName, bool staysAttached) {
  VmThreadAttachment attachment(vm, !staysAttached);
  JNIEnv* env = nullptr;
  if (!attachment.Attach(env)) return false;
  // Class names reach FindClass in the calling thread's code page, as the VM options do.
  ByteString name = os::ToThreadCodePage(mainClassName);
  jclass mainClass = env->FindClass(name.c_str());
  if (!mainClass) {
    DescribePending(env);
    return false;
  }
  // Only a static stop() without parameters counts; an instance method or another signature
  // is as good as none.
  jmethodID stop = env->GetStaticMethodID(mainClass, "stop", "()V");
  if (!stop) {
    DescribePending(env);
    if (CallSystemExit(env, 0)) return true;
    // A System.exit that cannot be found leaves its lookup's error pending.
    DescribePending(env);
    return false;
  }
  env->CallStaticVoidMethodA(mainClass, stop, nullptr);
  if (env->ExceptionOccurred()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}
