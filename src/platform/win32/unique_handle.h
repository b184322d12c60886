// Move-only owner of a Windows handle, with one traits policy per kind of handle.
#pragma once

#include "platform/win32/win32_api.h"

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
  Value Release() {
    Value value = value_;
    value_ = Traits::Invalid();
    return value;
  }
  // Closing keeps the thread's last error, so a caller can still report why a call failed.
  void Reset(Value value = Traits::Invalid()) {
    if (Traits::IsValid(value_)) {
      DWORD error = GetLastError();
      Traits::Close(value_);
      SetLastError(error);
    }
    value_ = value;
  }

 private:
  Value value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // threads, processes, events, mappings: null when absent
  using Value = HANDLE;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
  static void Close(Value v) { CloseHandle(v); }
};
struct FileHandleTraits {  // CreateFileW reports failure as INVALID_HANDLE_VALUE
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
  static void Close(Value v) { CloseHandle(v); }
};
struct FindHandleTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Value v) { return v != INVALID_HANDLE_VALUE; }
  static void Close(Value v) { FindClose(v); }
};
struct ModuleHandleTraits {
  using Value = HMODULE;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { FreeLibrary(v); }
};
struct RegistryKeyTraits {
  using Value = HKEY;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { RegCloseKey(v); }
};
struct MappedViewTraits {
  using Value = const void*;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { UnmapViewOfFile(v); }
};
struct GdiObjectTraits {
  using Value = HGDIOBJ;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { DeleteObject(v); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using MappedView = UniqueHandle<MappedViewTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
