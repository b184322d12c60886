// A chain of JNI steps that reads as one list: each step runs only while every step before it
// produced a value, so a sequence of lookups and constructions needs one check at its end.
#pragma once

#include <utility>

#include "jvm/java_runtime.h"

class JniChain {
 public:
  explicit JniChain(JNIEnv* env) : env_(env) {}

  // True while no step has failed.
  explicit operator bool() const { return !failed_; }

  // Any step that yields a pointer or handle, null meaning failure.
  template <typename Step>
  auto Then(Step step) -> decltype(step()) {
    if (failed_) return nullptr;
    auto value = step();
    failed_ = !value;
    return value;
  }

  jclass FindClass(const char* name) {
    return Then([&] { return env_->FindClass(name); });
  }
  jclass GetObjectClass(jobject object) {
    return Then([&] { return env_->GetObjectClass(object); });
  }
  jmethodID GetMethodID(jclass type, const char* name, const char* signature) {
    return Then([&] { return env_->GetMethodID(type, name, signature); });
  }
  jmethodID GetStaticMethodID(jclass type, const char* name, const char* signature) {
    return Then([&] { return env_->GetStaticMethodID(type, name, signature); });
  }
  template <typename... Arguments>
  jobject NewObject(jclass type, jmethodID constructor, Arguments... arguments) {
    return Then([&] { return env_->NewObject(type, constructor, arguments...); });
  }
  template <typename... Arguments>
  jobject CallObjectMethod(jobject object, jmethodID method, Arguments... arguments) {
    return Then([&] { return env_->CallObjectMethod(object, method, arguments...); });
  }

 private:
  JNIEnv* env_;
  bool failed_ = false;
};
