// POSIX side of the lock.
#include "platform/lock.h"

#include <mutex>

namespace os {

struct Lock::State {
  std::mutex mutex;
};

Lock::Lock() : state_(new State) {}
Lock::~Lock() = default;

void Lock::Acquire() { state_->mutex.lock(); }
void Lock::Release() { state_->mutex.unlock(); }

}  // namespace os
