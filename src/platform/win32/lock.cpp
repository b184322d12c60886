// Win32 side of the lock: a slim reader/writer lock used exclusively.
#include "platform/lock.h"

#include "platform/win32/win32_api.h"

namespace os {

struct Lock::State {
  SRWLOCK lock = SRWLOCK_INIT;
};

Lock::Lock() : state_(new State) {}
Lock::~Lock() = default;

void Lock::Acquire() { AcquireSRWLockExclusive(&state_->lock); }
void Lock::Release() { ReleaseSRWLockExclusive(&state_->lock); }

}  // namespace os
