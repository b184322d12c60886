// Sending the Java program's System.out and System.err to files, whose names may carry a
// date and time placeholder and whose folders are created on the way.
#include "core/date_picture.h"
#include "core/paths.h"
#include "jvm/java_calls.h"
#include "jvm/java_host.h"
#include "jvm/jni_chain.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/host.h"

namespace {

bool PathExists(const Text& path) {
  return IsAbsolutePath(path, os::Host()) && os::FindsEntry(path);
}

// Creates the missing folders that lead to the file, never the file itself, and never
// removes one. On a UNC path the share and folders above it may refuse creation and still
// exist, so failures there do not stop the walk. A relative name has no root to skip: its
// first component is a folder below the working folder, where the Java program opens it.
uint32_t CreateParentFolders(const Text& path) {
  if (PathExists(path)) return 0;
  bool unc = IsUncPath(path);
  bool relative = !path.empty() && path[0] != u'\\' && !IsAbsolutePath(path, os::Host());
  TextList components = SplitPathComponents(path);
  size_t first = relative ? 0 : 1;
  Text built = relative ? Text() : components.front();
  uint32_t lastError = 0;
  for (size_t i = first; i + 1 < components.size(); ++i) {
    Text candidate = i == 0 ? components[i] : built + u'\\' + components[i];
    uint32_t error = os::CreateFolder(candidate);
    if (error != 0) {
      if (error != os::kErrorAlreadyExists && !unc) return error;
      lastError = error;
    }
    built = candidate;
  }
  return lastError == os::kErrorAlreadyExists ? 0 : lastError;
}

}  // namespace

void JavaHost::RedirectStandardStreams() {
  bool outputDated = outputFile.find(u'%') != Text::npos;
  bool errorDated = errorFile.find(u'%') != Text::npos;
  if (outputDated || errorDated) {
    // One instant for both names, so a start's two files carry the same stamp.
    LocalTime now = os::CurrentLocalTime();
    if (outputDated) {
      ExpandDateTimePlaceholder(outputFile, now, os::FormatTimePicture, os::FormatDatePicture);
    }
    if (errorDated) {
      ExpandDateTimePlaceholder(errorFile, now, os::FormatTimePicture, os::FormatDatePicture);
    }
  }
  if (!outputFile.empty() && !RedirectStream(outputFile, appendOutput, "setOut") &&
      jniEnv->ExceptionOccurred()) {
    jniEnv->ExceptionDescribe();
  }
  if (!errorFile.empty() && !RedirectStream(errorFile, appendError, "setErr") &&
      jniEnv->ExceptionOccurred()) {
    jniEnv->ExceptionDescribe();
  }
}

bool JavaHost::RedirectStream(const Text& name, bool append, const char* setter) {
  CreateParentFolders(name);
  JniChain chain(jniEnv);
  jstring javaName =
      chain.Then([&] { return NewJavaString(jniEnv, ToNativePath(name, os::Host())); });
  jclass fileClass = chain.FindClass("java/io/FileOutputStream");
  jmethodID fileConstructor = chain.GetMethodID(fileClass, "<init>", "(Ljava/lang/String;Z)V");
  jobject file =
      chain.NewObject(fileClass, fileConstructor, javaName, append ? JNI_TRUE : JNI_FALSE);
  jclass printClass = chain.FindClass("java/io/PrintStream");
  jmethodID printConstructor =
      chain.GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V");
  jobject print = chain.NewObject(printClass, printConstructor, file);
  jclass system = chain.FindClass("java/lang/System");
  jmethodID install = chain.GetStaticMethodID(system, setter, "(Ljava/io/PrintStream;)V");
  if (!chain) return false;
  jniEnv->CallStaticVoidMethod(system, install, print);
  if (jniEnv->ExceptionOccurred()) {
    jniEnv->ExceptionDescribe();
    return false;
  }
  return true;
}
