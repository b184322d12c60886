// DLLs that only some starts need (the window and shell DLLs of the dialogs and the
// single-instance mode, the image helper), loaded from the system folder when first needed
// instead of being imported, so that an ordinary start pays nothing for them.
#pragma once

#include <atomic>

#include "platform/win32/win32_api.h"

namespace os {

// A library of the system folder only: a DLL of the same name planted beside the launcher,
// or in the working folder, must never run inside it. Loaded on first use and kept for the
// process's life.
class SystemLibrary {
 public:
  explicit constexpr SystemLibrary(const wchar_t* name) : name_(name) {}
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  // The module; null, with the thread's last error set, when it cannot be loaded.
  HMODULE Module();

  // An exported function as the given pointer type; null when the library or the function
  // is missing.
  template <typename Function>
  Function Find(const char* name) {
    HMODULE module = Module();
    if (!module) return nullptr;
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  }

 private:
  const wchar_t* name_;
  std::atomic<HMODULE> module_{nullptr};
};

}  // namespace os
