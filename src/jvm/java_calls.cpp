// Java strings, string arrays and System.exit through JNI.
#include "jvm/java_calls.h"

#include "jvm/jni_chain.h"

jstring NewJavaString(JNIEnv* env, const Text& text) {
  JniChain chain(env);
  jclass stringClass = chain.FindClass("java/lang/String");
  jmethodID constructor = chain.GetMethodID(stringClass, "<init>", "([C)V");
  jsize length = static_cast<jsize>(text.size());
  jcharArray chars = chain.Then([&] { return env->NewCharArray(length); });
  if (!chain) return nullptr;
  env->SetCharArrayRegion(chars, 0, length, reinterpret_cast<const jchar*>(text.data()));
  jstring result = nullptr;
  if (!env->ExceptionOccurred()) {
    result = static_cast<jstring>(env->NewObject(stringClass, constructor, chars));
  }
  env->DeleteLocalRef(chars);
  return result;
}

jobjectArray NewJavaStringArray(JNIEnv* env, const TextList& list) {
  JniChain chain(env);
  jclass stringClass = chain.FindClass("java/lang/String");
  jobjectArray array = chain.Then([&] {
    return env->NewObjectArray(static_cast<jsize>(list.size()), stringClass, nullptr);
  });
  if (!chain) return nullptr;
  for (size_t i = 0; i < list.size(); ++i) {
    jstring element = NewJavaString(env, list[i]);
    if (!element) return nullptr;
    env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
    env->DeleteLocalRef(element);
  }
  return array;
}

Text JavaStringText(JNIEnv* env, jstring string) {
  Text text(static_cast<size_t>(env->GetStringLength(string)), u'\0');
  env->GetStringRegion(string, 0, static_cast<jsize>(text.size()),
                       reinterpret_cast<jchar*>(&text[0]));
  return text;
}

bool CallSystemExit(JNIEnv* env, int code) {
  JniChain chain(env);
  jclass system = chain.FindClass("java/lang/System");
  jmethodID exit = chain.GetStaticMethodID(system, "exit", "(I)V");
  if (!chain) return false;
  env->CallStaticVoidMethod(system, exit, static_cast<jint>(code));
  if (env->ExceptionOccurred()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}
