// Java strings, string arrays and System.exit through JNI.
#include "jvm/java_calls.h"

jstring NewJavaString(JNIEnv* env, const Text& text) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (!stringClass) return nullptr;
  jmethodID constructor = env->GetMethodID(stringClass, "<init>", "([C)V");
  if (!constructor) return nullptr;
  jsize length = static_cast<jsize>(text.size());
  jcharArray chars = env->NewCharArray(length);
  if (!chars) return nullptr;
  env->SetCharArrayRegion(chars, 0, length, reinterpret_cast<const jchar*>(text.data()));
  jstring result = nullptr;
  if (!env->ExceptionOccurred()) {
    result = static_cast<jstring>(env->NewObject(stringClass, constructor, chars));
  }
  env->DeleteLocalRef(chars);
  return result;
}

jobjectArray NewJavaStringArray(JNIEnv* env, const TextList& list) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (!stringClass) return nullptr;
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(list.size()), stringClass, nullptr);
  if (!array) return nullptr;
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
  jclass system = env->FindClass("java/lang/System");
  if (!system) return false;
  jmethodID exit = env->GetStaticMethodID(system, "exit", "(I)V");
  if (!exit) return false;
  env->CallStaticVoidMethod(system, exit, static_cast<jint>(code));
  if (env->ExceptionOccurred()) {
    env->ExceptionDescribe();
    return false;
  }
  return true;
}
