// Loading the main class and calling its static main with the argument list.
#include "jvm/java_calls.h"
#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "platform/threads.h"

namespace {

// The stack trace of an exception as printStackTrace writes it; empty when a step fails.
Text StackTraceText(JNIEnv* env, jthrowable exception) {
  jclass bytesClass = env->FindClass("java/io/ByteArrayOutputStream");
  jmethodID bytesConstructor = bytesClass ? env->GetMethodID(bytesClass, "<init>", "()V") : nullptr;
  jobject bytes = bytesConstructor ? env->NewObject(bytesClass, bytesConstructor) : nullptr;
  jclass printClass = bytes ? env->FindClass("java/io/PrintStream") : nullptr;
  jmethodID printConstructor =
      printClass ? env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V") : nullptr;
  jobject print = printConstructor ? env->NewObject(printClass, printConstructor, bytes) : nullptr;
  jclass exceptionClass = print ? env->GetObjectClass(exception) : nullptr;
  jmethodID printStackTrace = exceptionClass ? env->GetMethodID(exceptionClass, "printStackTrace",
                                                                "(Ljava/io/PrintStream;)V")
                                             : nullptr;
  if (!printStackTrace) return Text();
  env->CallVoidMethod(exception, printStackTrace, print);
  if (env->ExceptionOccurred()) return Text();
  jmethodID toString = env->GetMethodID(bytesClass, "toString", "()Ljava/lang/String;");
  jstring text = toString ? static_cast<jstring>(env->CallObjectMethod(bytes, toString)) : nullptr;
  return text && !env->ExceptionOccurred() ? JavaStringText(env, text) : Text();
}

}  // namespace

jclass Launcher::LoadMainClass() {
  jclass helper = findClassFromBootLoader
                      ? findClassFromBootLoader(jniEnv, "sun/launcher/LauncherHelper")
                      : nullptr;
  if (helper) {
    jmethodID checkAndLoadMain = jniEnv->GetStaticMethodID(
        helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    if (checkAndLoadMain) {
      Text dotted = mainClassName;
      ReplaceAll(dotted, u'/', u'.');
      jstring name = NewJavaString(jniEnv, dotted);
      jclass mainClass = name ? static_cast<jclass>(jniEnv->CallStaticObjectMethod(
                                    helper, checkAndLoadMain, JNI_TRUE, jint{1}, name))
                              : nullptr;
      if (mainClass) return mainClass;
    }
  }

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

bool Launcher::InvokeMainClass() {
  jclass mainClass = LoadMainClass();
  if (!mainClass) return false;
  jmethodID main = jniEnv->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
  if (!main) {
    if (jniEnv->ExceptionOccurred()) {
      jniEnv->ExceptionDescribe();
    } else {
      ReportError(LoadMessage(kMsgMainMethodNotFound));
    }
    return false;
  }
  jobjectArray javaArguments = NewJavaStringArray(jniEnv, arguments);
  if (!javaArguments) {
    jniEnv->ExceptionDescribe();
    return false;
  }
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
  // A runtime that admits IBM's VMs keeps the main thread attached until System.exit.
  if (searchIbm || preferIbm) os::SleepForever();
  return javaVm->DetachCurrentThread() == JNI_OK;
}
