// The ADVAPI32 functions the launcher uses (the registry search, the embedded settings'
// cipher, the service host), bound on first use: a start that needs none of them (JRE Path or
// a private runtime, no embedded settings, no service) never loads the DLL.
#pragma once

#include "platform/win32/win32_api.h"
// The lean Windows header leaves the CryptoAPI out.
#include <wincrypt.h>

namespace os {

struct Advapi32 {
  decltype(&::RegOpenKeyExW) RegOpenKeyExW;
  decltype(&::RegEnumKeyExW) RegEnumKeyExW;
  decltype(&::RegQueryValueExW) RegQueryValueExW;
  decltype(&::RegCloseKey) RegCloseKey;
  decltype(&::CryptAcquireContextW) CryptAcquireContextW;
  decltype(&::CryptCreateHash) CryptCreateHash;
  decltype(&::CryptHashData) CryptHashData;
  decltype(&::CryptDeriveKey) CryptDeriveKey;
  decltype(&::CryptDecrypt) CryptDecrypt;
  decltype(&::CryptDestroyKey) CryptDestroyKey;
  decltype(&::CryptDestroyHash) CryptDestroyHash;
  decltype(&::CryptReleaseContext) CryptReleaseContext;
  decltype(&::StartServiceCtrlDispatcherW) StartServiceCtrlDispatcherW;
  decltype(&::RegisterServiceCtrlHandlerW) RegisterServiceCtrlHandlerW;
  decltype(&::SetServiceStatus) SetServiceStatus;
};

// The functions, all bound together from the system folder's ADVAPI32.dll; null, with the
// thread's last error set, when the DLL or any of them is missing.
const Advapi32* Advapi();

}  // namespace os
