// POSIX side of the single-instance guard: the Linux host launcher runs every start on its
// own, so the guard stays off.
#include "instance/instance_guard.h"

struct InstanceGuard::State {};

InstanceGuard::InstanceGuard() = default;
InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::SetUp(const TextList&, const Text&) {
  enabled_ = false;
  return true;
}

os::Event* InstanceGuard::MainReadyEvent() { return nullptr; }

void InstanceGuard::ServeWith(JavaVM*, bool) {}

// Never reached: without the guard no start forwards.
int InstanceGuard::WaitForPrimaryReply() { return -1; }
