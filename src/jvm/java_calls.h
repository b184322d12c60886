// Small JNI building blocks: Java strings from UTF-16 text and back, string arrays, and
// System.exit.
#pragma once

#include "core/text.h"
#include "jvm/java_runtime.h"

// A java.lang.String holding exactly the text's UTF-16 code units; null when any step fails
// or an exception was already pending.
jstring NewJavaString(JNIEnv* env, const Text& text);
// A String[] with one element per entry; null when any element cannot be made.
jobjectArray NewJavaStringArray(JNIEnv* env, const TextList& list);
// The UTF-16 code units of a Java string.
Text JavaStringText(JNIEnv* env, jstring string);
// java.lang.System.exit(code); on a running VM it does not come back. False when the method
// cannot be found or throws.
bool CallSystemExit(JNIEnv* env, int code);
