// Binding the ADVAPI32 functions once, on first use.
#include "platform/win32/advapi32.h"

#include "platform/win32/system_library.h"

namespace os {

namespace {

template <typename Function>
bool Bind(SystemLibrary& library, const char* name, Function& function) {
  function = library.Find<Function>(name);
  return function != nullptr;
}

bool BindAll(Advapi32& api) {
  static SystemLibrary advapi32(L"advapi32.dll");
  SystemLibrary& l = advapi32;
  return Bind(l, "RegOpenKeyExW", api.RegOpenKeyExW) &&
         Bind(l, "RegEnumKeyExW", api.RegEnumKeyExW) &&
         Bind(l, "RegQueryValueExW", api.RegQueryValueExW) &&
         Bind(l, "RegCloseKey", api.RegCloseKey) &&
         Bind(l, "CryptAcquireContextW", api.CryptAcquireContextW) &&
         Bind(l, "CryptCreateHash", api.CryptCreateHash) &&
         Bind(l, "CryptHashData", api.CryptHashData) &&
         Bind(l, "CryptDeriveKey", api.CryptDeriveKey) &&
         Bind(l, "CryptDecrypt", api.CryptDecrypt) &&
         Bind(l, "CryptDestroyKey", api.CryptDestroyKey) &&
         Bind(l, "CryptDestroyHash", api.CryptDestroyHash) &&
         Bind(l, "CryptReleaseContext", api.CryptReleaseContext) &&
         Bind(l, "StartServiceCtrlDispatcherW", api.StartServiceCtrlDispatcherW) &&
         Bind(l, "RegisterServiceCtrlHandlerW", api.RegisterServiceCtrlHandlerW) &&
         Bind(l, "SetServiceStatus", api.SetServiceStatus);
}

}  // namespace

// The first caller binds the table; the later ones, on any thread, find it bound.
const Advapi32* Advapi() {
  static Advapi32 api;
  static const bool bound = BindAll(api);
  return bound ? &api : nullptr;
}

}  // namespace os
