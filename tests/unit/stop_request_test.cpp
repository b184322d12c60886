// The stop request against a scripted runtime: which Java calls it makes in which case, what it
// returns, and whether the thread is detached afterwards.
#include "jvm/stop_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the scripted runtime offers, and what it was asked.
struct Script {
  jint attachResult = JNI_OK;
  bool mainClassFound = true;
  bool stopFound = true;  // a static stop "()V"
  bool stopThrows = false;
  bool exitFound = true;
  bool exitThrows = false;
};

Script script;
std::vector<std::string> calls;
bool pending = false;

// Distinct non-null handles.
jclass kMainClass = reinterpret_cast<jclass>(0x100);
jclass kSystemClass = reinterpret_cast<jclass>(0x200);
jmethodID kStop = reinterpret_cast<jmethodID>(0x300);
jmethodID kExit = reinterpret_cast<jmethodID>(0x400);

jint JNICALL Attach(JavaVM*, void** env, void* arguments);
jint JNICALL Detach(JavaVM*) {
  calls.push_back("detach");
  return JNI_OK;
}

jclass JNICALL FindClass(JNIEnv*, const char* name) {
  calls.push_back(std::string("find_class ") + name);
  if (std::string(name) == "java/lang/System") return kSystemClass;
  if (script.mainClassFound) return kMainClass;
  pending = true;
  return nullptr;
}

jmethodID JNICALL GetStaticMethodID(JNIEnv*, jclass type, const char* name, const char* signature) {
  calls.push_back(std::string("lookup ") + name + " " + signature);
  bool found = type == kSystemClass ? script.exitFound : script.stopFound;
  if (!found) {
    pending = true;  // NoSuchMethodError
    return nullptr;
  }
  return type == kSystemClass ? kExit : kStop;
}

void JNICALL CallStaticVoidMethodA(JNIEnv*, jclass, jmethodID method, const jvalue* arguments) {
  EXPECT_EQ(method, kStop);
  EXPECT_EQ(arguments, nullptr);
  calls.push_back("stop");
  pending = script.stopThrows;
}

void JNICALL CallStaticVoidMethodV(JNIEnv*, jclass type, jmethodID method, va_list arguments) {
  EXPECT_EQ(type, kSystemClass);
  EXPECT_EQ(method, kExit);
  calls.push_back("exit " + std::to_string(va_arg(arguments, jint)));
  pending = script.exitThrows;
}

jthrowable JNICALL ExceptionOccurred(JNIEnv*) {
  return pending ? reinterpret_cast<jthrowable>(0x500) : nullptr;
}

void JNICALL ExceptionDescribe(JNIEnv*) {
  calls.push_back("describe");
  pending = false;
}

JNINativeInterface_ functions = {};
JNIEnv environment = {&functions};

jint JNICALL Attach(JavaVM*, void** env, void* arguments) {
  EXPECT_EQ(arguments, nullptr);
  calls.push_back("attach");
  *env = &environment;
  return script.attachResult;
}

struct StopCase {
  const char* name;
  Script script;
  bool haveVm;
  bool staysAttached;
  bool result;
  std::vector<std::string> calls;
};

class RequestJavaStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(RequestJavaStopTest, CallsStopOrExitAndLetsGo) {
  functions.FindClass = FindClass;
  functions.GetStaticMethodID = GetStaticMethodID;
  functions.CallStaticVoidMethodA = CallStaticVoidMethodA;
  functions.CallStaticVoidMethodV = CallStaticVoidMethodV;
  functions.ExceptionOccurred = ExceptionOccurred;
  functions.ExceptionDescribe = ExceptionDescribe;
  JNIInvokeInterface_ invocation = {};
  invocation.AttachCurrentThread = Attach;
  invocation.DetachCurrentThread = Detach;
  JavaVM vm = {&invocation};
  script = GetParam().script;
  calls.clear();
  pending = false;
  EXPECT_EQ(RequestJavaStop(GetParam().haveVm ? &vm : nullptr, u"com/example/Caf\u00e9",
                            GetParam().staysAttached),
            GetParam().result);
  EXPECT_EQ(calls, GetParam().calls);
  EXPECT_FALSE(pending);
}

Script With(void (*change)(Script&)) {
  Script changed;
  change(changed);
  return changed;
}

// The class name reaches FindClass in the thread's code page: UTF-8 on this build.
const std::string kFindMain = "find_class com/example/Caf\xc3\xa9";
const std::string kLookupStop = "lookup stop ()V";
const std::string kFindSystem = "find_class java/lang/System";
const std::string kLookupExit = "lookup exit (I)V";

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestJavaStopTest,
    testing::Values(
        StopCase{"static_stop_is_called_then_detached", Script(), true, false, true,
                 {"attach", kFindMain, kLookupStop, "stop", "detach"}},
        StopCase{"ibm_runtimes_keep_the_thread_attached", Script(), true, true, true,
                 {"attach", kFindMain, kLookupStop, "stop"}},
        StopCase{"stop_that_throws_is_described_and_fails",
                 With([](Script& s) { s.stopThrows = true; }), true, false, false,
                 {"attach", kFindMain, kLookupStop, "stop", "describe", "detach"}},
        StopCase{"without_stop_the_error_is_described_then_system_exit_0",
                 With([](Script& s) { s.stopFound = false; }), true, false, true,
                 {"attach", kFindMain, kLookupStop, "describe", kFindSystem, kLookupExit,
                  "exit 0", "detach"}},
        StopCase{"system_exit_that_throws_fails",
                 With([](Script& s) {
                   s.stopFound = false;
                   s.exitThrows = true;
                 }),
                 true, false, false,
                 {"attach", kFindMain, kLookupStop, "describe", kFindSystem, kLookupExit,
                  "exit 0", "describe", "detach"}},
        StopCase{"missing_system_exit_fails",
                 With([](Script& s) {
                   s.stopFound = false;
                   s.exitFound = false;
                 }),
                 true, false, false,
                 {"attach", kFindMain, kLookupStop, "describe", kFindSystem, kLookupExit,
                  "describe", "detach"}},
        StopCase{"main_class_not_found_calls_nothing",
                 With([](Script& s) { s.mainClassFound = false; }), true, false, false,
                 {"attach", kFindMain, "describe", "detach"}},
        StopCase{"refused_attach_calls_nothing_and_is_not_undone",
                 With([](Script& s) { s.attachResult = JNI_ERR; }), true, false, false,
                 {"attach"}},
        StopCase{"no_vm_calls_nothing", Script(), false, false, false, {}}),
    [](const testing::TestParamInfo<StopCase>& info) { return info.param.name; });

}  // namespace
