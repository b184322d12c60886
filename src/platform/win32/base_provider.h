// The CryptoAPI base provider's MD5 and RC4, the cipher of the embedded settings, with owners
// for its handles.
#pragma once

#include "core/text.h"
#include "platform/win32/advapi32.h"
#include "platform/win32/unique_handle.h"

namespace os {

struct CryptProviderTraits : NullWhenAbsentTraits<HCRYPTPROV> {
  static void Close(Value v) { Advapi()->CryptReleaseContext(v, 0); }
};
struct CryptHashTraits : NullWhenAbsentTraits<HCRYPTHASH> {
  static void Close(Value v) { Advapi()->CryptDestroyHash(v); }
};
struct CryptKeyTraits : NullWhenAbsentTraits<HCRYPTKEY> {
  static void Close(Value v) { Advapi()->CryptDestroyKey(v); }
};

using CryptProvider = UniqueHandle<CryptProviderTraits>;
using CryptHash = UniqueHandle<CryptHashTraits>;
using CryptKey = UniqueHandle<CryptKeyTraits>;

// A verification context of the base provider (no key container); invalid when unavailable.
CryptProvider AcquireBaseProvider();
// The RC4 key CryptDeriveKey makes with flags 0 from the MD5 of the key bytes, so of the
// provider's default length; invalid when it cannot be made.
CryptKey DeriveSettingsKey(const CryptProvider& provider, const ByteString& keyBytes);
// Deciphers the whole buffer in one final call; false leaves the bytes as they were.
bool DecipherInPlace(ByteString& bytes, const ByteString& keyBytes);

}  // namespace os
