// The entry points the launcher binds from a Java runtime library, and the hook types.
#pragma once

#include <jni.h>
#include <stdarg.h>
#include <stdio.h>

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM** vm, void** env, void* initArgs);
using GetDefaultJavaVmInitArgsFunction = jint(JNICALL*)(void* initArgs);
using FindClassFromBootLoaderFunction = jclass(JNICALL*)(JNIEnv* env, const char* name);
using VmExitHookFunction = void(JNICALL*)(jint code);
using VmAbortHookFunction = void(JNICALL*)();

// The published JNI 1.1 initialisation record, which current jni.h files no longer carry;
// only its version and javaStackSize are used, to ask a runtime for its default stack size.
struct JDK1_1InitArgs {
  jint version;
  char** properties;
  jint checkSource;
  jint nativeStackSize;
  jint javaStackSize;
  jint minHeapSize;
  jint maxHeapSize;
  jint verifyMode;
  char* classpath;
  jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
  void(JNICALL* exit)(jint code);
  void(JNICALL* abort)();
  jint enableClassGC;
  jint enableVerboseGC;
  jint disableAsyncGC;
  jint verbose;
  jboolean debugging;
  jint debugPort;
};
