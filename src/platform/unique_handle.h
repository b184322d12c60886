// Move-only owner of an operating-system handle, with one traits policy per kind of handle.
// The kinds live beside their system's headers: platform/win32/unique_handle.h and
// platform/posix/unique_handle.h.
#pragma once

namespace os {

// A traits policy names the stored type and says how to tell, close and keep errors:
//   using Value = ...;                       the handle as the system hands it out
//   static Value Invalid();                  what an empty owner holds
//   static bool IsValid(Value);              whether a value needs closing
//   static void Close(Value);                gives the value back to the system
//   using ErrorKeeper = ...;                 saves the thread's last error when made and puts
//                                            it back when it goes (GetLastError, errno)
template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value value) : value_(value) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  bool IsValid() const { return Traits::IsValid(value_); }
  explicit operator bool() const { return IsValid(); }
  Value Get() const { return value_; }

  // Hands the value over without closing it; whoever takes it closes it.
  [[nodiscard]] Value Release() {
    Value value = value_;
    value_ = Traits::Invalid();
    return value;
  }

  // Closing keeps the thread's last error, so a caller can still report why a call failed
  // after the owners of that call's other handles are gone.
  void Reset(Value value = Traits::Invalid()) {
    Value old = value_;
    value_ = value;
    if (Traits::IsValid(old)) {
      typename Traits::ErrorKeeper keep;
      Traits::Close(old);
    }
  }

  // For calls that hand out a handle through a pointer (`RegOpenKeyExW(..., key.Put())`):
  // closes what is held and lets the call write the new value in place.
  Value* Put() {
    Reset();
    return &value_;
  }

 private:
  Value value_ = Traits::Invalid();
};

}  // namespace os
