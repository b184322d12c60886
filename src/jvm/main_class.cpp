// Loading the main class and calling its static main with the argument list.
#include "jvm/java_calls.h"
#include "jvm/java_host.h"
#include "jvm/jni_chain.h"
#include "launcher/messages.h"
#include "platform/threads.h"
#include "ui/exception_report.h"

namespace {

// The stack trace of an exception as printStackTrace writes it; empty when a step fails.
Text StackTraceText(JNIEnv* env, jthrowable exception) {
  JniChain chain(env);
  jclass bytesClass = chain.FindClass("java/io/ByteArrayOutputStream");
  jmethodID bytesConstructor = chain.GetMethodID(bytesClass, "<init>", "()V");
  jobject bytes = chain.NewObject(bytesClass, bytesConstructor);
  jclass printClass = chain.FindClass("java/io/PrintStream");
  jmethodID printConstructor =
      chain.GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V");
  jobject print = chain.NewObject(printClass, printConstructor, bytes);
  jclass exceptionClass = chain.GetObjectClass(exception);
  jmethodID printStackTrace =
      chain.GetMethodID(exceptionClass, "printStackTrace", "(Ljava/io/PrintStream;)V");
  if (!chain) return Text();
  env->CallVoidMethod(exception, printStackTrace, print);
  if (env->ExceptionOccurred()) return Text();
  jmethodID toString = chain.GetMethodID(bytesClass, "toString", "()Ljava/lang/String;");
  auto text = static_cast<jstring>(chain.CallObjectMethod(bytes, toString));
  return chain && !env->ExceptionOccurred() ? JavaStringText(env, text) : Text();
}

// The runtime's own launcher helper checks and loads the class as the java command does.
jclass LoadThroughLauncherHelper(JNIEnv* env, FindClassFromBootLoaderFunction findFromBoot,
                                 const Text& mainClassName) {
  if (!findFromBoot) return nullptr;
  Text dotted = mainClassName;
  ReplaceAll(dotted, u'/', u'.');
  JniChain chain(env);
  jclass helper = chain.Then([&] { return findFromBoot(env, "sun/launcher/LauncherHelper"); });
  jmethodID checkAndLoadMain = chain.GetStaticMethodID(
      helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
  jstring name = chain.Then([&] { return NewJavaString(env, dotted); });
  return chain.Then([&] {
    return static_cast<jclass>(
        env->CallStaticObjectMethod(helper, checkAndLoadMain, JNI_TRUE, jint{1}, name));
  });
}

}  // namespace

jclass JavaHost::LoadMainClass(const Text& mainClassName) {
  jclass loaded = LoadThroughLauncherHelper(jniEnv, findClassFromBootLoader, mainClassName);
  if (loaded) return loaded;
  jstring name = NewJavaString(jniEnv, mainClassName);
  if (!name) {
    ReportFormattedError(LoadMessage(kMsgMainClassNotLoaded), {mainClassName});
    return nullptr;
  }
  const char* utf = jniEnv->GetStringUTFChars(name, nullptr);
  if (!utf) {
    jniEnv->ExceptionDescribe();
    return nullptr;
  }
  jclass mainClass = jniEnv->FindClass(utf);
  jniEnv->ReleaseStringUTFChars(name, utf);
  if (!mainClass) {
    jniEnv->ExceptionDescribe();
    ReportFormattedError(LoadMessage(kMsgMainClassNotFound), {mainClassName});
  }
  return mainClass;
}

bool JavaHost::InvokeMainClass(const Text& mainClassName, const TextList& arguments,
                               bool failureCheck, bool staysAttached, os::Event* mainReady) {
  // A thread that ends still attached counts as a live Java thread, and the VM's destruction
  // at the launcher's end would wait for it forever.
  auto fail = [this] {
    javaVm->DetachCurrentThread();
    return false;
  };
  jclass mainClass = LoadMainClass(mainClassName);
  if (!mainClass) return fail();
  jmethodID main = jniEnv->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
  if (!main) {
    if (jniEnv->ExceptionOccurred()) {
      jniEnv->ExceptionDescribe();
    } else {
      ReportError(LoadMessage(kMsgMainMethodNotFound));
    }
    return fail();
  }
  jobjectArray javaArguments = NewJavaStringArray(jniEnv, arguments);
  if (!javaArguments) {
    jniEnv->ExceptionDescribe();
    return fail();
  }
  // Other threads that wait to call into the program may go from here on.
  if (mainReady) mainReady->Set();
  jniEnv->CallStaticVoidMethod(mainClass, main, javaArguments);

  // An uncaught exception stays pending: the VM reports it when this thread detaches.
  jthrowable uncaught = jniEnv->ExceptionOccurred();
  if (uncaught && failureCheck) {
    // No other JNI call may run while it is pending; it is raised again afterwards.
    jniEnv->ExceptionClear();
    Text trace = StackTraceText(jniEnv, uncaught);
    jniEnv->ExceptionClear();
    if (ReportUncaughtException(trace) == 1) CallSystemExit(jniEnv, -1);
    jniEnv->Throw(uncaught);
  }
  if (staysAttached) os::SleepForever();
  return javaVm->DetachCurrentThread() == JNI_OK;
}
