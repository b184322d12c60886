// The entry points the launcher binds from a Java runtime library, and the hook types.
#pragma once

#include <jni.h>

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM** vm, void** env, void* initArgs);
using GetDefaultJavaVmInitArgsFunction = jint(JNICALL*)(void* initArgs);
using FindClassFromBootLoaderFunction = jclass(JNICALL*)(JNIEnv* env, const char* name);
