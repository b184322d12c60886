// The scoped attachment of launcher threads to the VM, against a scripted invocation table.
#include "jvm/vm_thread_attachment.h"

#include <gtest/gtest.h>

namespace {

struct Calls {
  int attaches = 0;
  int detaches = 0;
  jint attachResult = JNI_OK;
};
Calls calls;

jint JNICALL Attach(JavaVM*, void** env, void* arguments) {
  ++calls.attaches;
  EXPECT_EQ(arguments, nullptr);
  *env = nullptr;
  return calls.attachResult;
}

jint JNICALL Detach(JavaVM*) {
  ++calls.detaches;
  return JNI_OK;
}

struct AttachCase {
  const char* name;
  bool haveVm;
  bool detach;
  jint attachResult;
  bool attempt;  // Attach is called at all
  bool attached;
  int detaches;
};

class VmThreadAttachmentTest : public testing::TestWithParam<AttachCase> {};

TEST_P(VmThreadAttachmentTest, DetachesOnlyWhatItAttachedAndWasAskedTo) {
  JNIInvokeInterface_ table = {};
  table.AttachCurrentThread = Attach;
  table.DetachCurrentThread = Detach;
  JavaVM vm = {&table};
  calls = Calls{0, 0, GetParam().attachResult};
  {
    VmThreadAttachment attachment(GetParam().haveVm ? &vm : nullptr, GetParam().detach);
    JNIEnv* env = nullptr;
    if (GetParam().attempt) EXPECT_EQ(attachment.Attach(env), GetParam().attached);
  }
  EXPECT_EQ(calls.attaches, GetParam().haveVm && GetParam().attempt ? 1 : 0);
  EXPECT_EQ(calls.detaches, GetParam().detaches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VmThreadAttachmentTest,
    testing::Values(AttachCase{"attached_and_detached", true, true, JNI_OK, true, true, 1},
                    AttachCase{"kept_attached_for_ibm", true, false, JNI_OK, true, true, 0},
                    AttachCase{"refused_attach_is_not_undone", true, true, JNI_ERR, true, false, 0},
                    AttachCase{"no_vm_calls_nothing", false, true, JNI_OK, true, false, 0},
                    AttachCase{"never_attached", true, true, JNI_OK, false, false, 0}),
    [](const testing::TestParamInfo<AttachCase>& info) { return info.param.name; });

}  // namespace
