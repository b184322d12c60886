// Attaching a launcher thread to the running VM for the span of a few JNI calls.
#include "jvm/vm_thread_attachment.h"

bool VmThreadAttachment::Attach(JNIEnv*& env) {
  if (!vm_) return false;
  if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) {
    detach_ = false;
    return false;
  }
  attached_ = true;
  return true;
}

// Only a thread that did attach is detached: detaching one the VM does not know would be an
// error of its own.
VmThreadAttachment::~VmThreadAttachment() {
  if (vm_ && detach_ && attached_) vm_->DetachCurrentThread();
}
