// A lock for the few places where threads change one small record together (the service
// status). The Windows build's C++ runtime has no std::mutex, so each build brings its own.
#pragma once

#include <memory>

namespace os {

class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Acquire();
  void Release();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Holds the lock for the span of a scope.
class LockHolder {
 public:
  explicit LockHolder(Lock& lock) : lock_(lock) { lock_.Acquire(); }
  ~LockHolder() { lock_.Release(); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  Lock& lock_;
};

}  // namespace os
