// The scoped attachment with which a launcher thread other than the VM thread makes JNI
// calls (a stop request, a forwarded start).
#pragma once

#include "jvm/java_runtime.h"

class VmThreadAttachment {
 public:
  // `vm` may be null (no VM yet, or no longer). A runtime that admits IBM's VMs keeps the
  // thread attached until it ends (`detach` false).
  VmThreadAttachment(JavaVM* vm, bool detach) : vm_(vm), detach_(detach) {}
  ~VmThreadAttachment();
  VmThreadAttachment(const VmThreadAttachment&) = delete;
  VmThreadAttachment& operator=(const VmThreadAttachment&) = delete;

  // Attaches the calling thread with no attach arguments; false, with nothing to undo, when
  // there is no VM or the runtime refuses.
  bool Attach(JNIEnv*& env);

 private:
  JavaVM* vm_;
  bool detach_;
  bool attached_ = false;
};
