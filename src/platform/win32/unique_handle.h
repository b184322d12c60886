// Owners of the Windows handles the launcher uses: one traits policy per kind of handle for
// the portable owner template.
#pragma once

#include "platform/unique_handle.h"
#include "platform/win32/advapi32.h"
#include "platform/win32/win32_api.h"

namespace os {

// Keeps the thread's last error across a close, so the error of the call that failed is the
// one reported.
class LastErrorKeeper {
 public:
  LastErrorKeeper() : error_(GetLastError()) {}
  ~LastErrorKeeper() { SetLastError(error_); }
  LastErrorKeeper(const LastErrorKeeper&) = delete;
  LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

 private:
  DWORD error_;
};

// Kinds the system hands out as null (or 0) when there is none.
template <typename T>
struct NullWhenAbsentTraits {
  using Value = T;
  using ErrorKeeper = LastErrorKeeper;
  static Value Invalid() { return Value(); }
  static bool IsValid(Value v) { return v != Value(); }
};

// Threads, processes, events, mappings: null when absent; INVALID_HANDLE_VALUE is never
// closed either.
struct KernelHandleTraits : NullWhenAbsentTraits<HANDLE> {
  static bool IsValid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
  static void Close(Value v) { CloseHandle(v); }
};
// CreateFileW reports failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits : KernelHandleTraits {
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
};
struct FindHandleTraits {
  using Value = HANDLE;
  using ErrorKeeper = LastErrorKeeper;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Value v) { return v != INVALID_HANDLE_VALUE; }
  static void Close(Value v) { FindClose(v); }
};
struct ModuleHandleTraits : NullWhenAbsentTraits<HMODULE> {
  static void Close(Value v) { FreeLibrary(v); }
};
struct RegistryKeyTraits : NullWhenAbsentTraits<HKEY> {
  static void Close(Value v) { Advapi()->RegCloseKey(v); }
};
// A view that is only read (a file mapped to be inspected).
struct MappedViewTraits : NullWhenAbsentTraits<const void*> {
  static void Close(Value v) { UnmapViewOfFile(v); }
};
// A view written through (a block shared with other processes).
struct WritableMappedViewTraits : NullWhenAbsentTraits<void*> {
  static void Close(Value v) { UnmapViewOfFile(v); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using MappedView = UniqueHandle<MappedViewTraits>;
using WritableMappedView = UniqueHandle<WritableMappedViewTraits>;

}  // namespace os
