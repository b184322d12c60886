// Win32 side of the enciphered resources: language choice, copy and deciphering.
#include "platform/embedded_resource.h"

#include "platform/win32/base_provider.h"

namespace os {

CryptProvider AcquireBaseProvider() {
  CryptProvider provider;
  const Advapi32* api = Advapi();
  // The CryptoAPI writes a handle only when it succeeds, so a failure leaves owners empty.
  if (api) {
    api->CryptAcquireContextW(provider.Put(), nullptr, MS_DEF_PROV_W, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT);
  }
  return provider;
}

// A provider exists only when the functions are bound.
CryptKey DeriveSettingsKey(const CryptProvider& provider, const ByteString& keyBytes) {
  const Advapi32& api = *Advapi();
  CryptHash hash;
  CryptKey key;
  if (api.CryptCreateHash(provider.Get(), CALG_MD5, 0, 0, hash.Put()) &&
      api.CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(keyBytes.data()),
                        static_cast<DWORD>(keyBytes.size()), 0)) {
    api.CryptDeriveKey(provider.Get(), CALG_RC4, hash.Get(), 0, key.Put());
  }
  return key;
}

bool DecipherInPlace(ByteString& bytes, const ByteString& keyBytes) {
  CryptProvider provider = AcquireBaseProvider();
  if (!provider) return false;
  CryptKey key = DeriveSettingsKey(provider, keyBytes);
  if (!key) return false;
  ByteString work = bytes;
  DWORD length = static_cast<DWORD>(work.size());
  if (!Advapi()->CryptDecrypt(key.Get(), 0, TRUE, 0, reinterpret_cast<BYTE*>(&work[0]),
                              &length)) {
    return false;
  }
  // RC4 is a stream cipher: the length stays, but the provider has the last word on it.
  work.resize(length < work.size() ? length : work.size());
  bytes.swap(work);
  return true;
}

namespace {

HRSRC FindData(unsigned id, LANGID language) {
  return FindResourceExW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(id), language);
}

// The user's own language first when it has a resource of its own, then its primary
// language, then the neutral one.
HRSRC FindPreferredData(unsigned id) {
  LANGID user = GetUserDefaultLangID();
  HRSRC inUserLanguage = FindData(id, user);
  HRSRC neutral = FindData(id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (inUserLanguage && inUserLanguage != neutral) return inUserLanguage;
  if (HRSRC primary = FindData(id, MAKELANGID(PRIMARYLANGID(user), SUBLANG_DEFAULT))) {
    return primary;
  }
  return neutral;
}

}  // namespace

ByteString ReadEncipheredResource(unsigned id, const ByteString& keyBytes) {
  HRSRC found = FindPreferredData(id);
  if (!found) return ByteString();
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return ByteString();
  ByteString bytes(static_cast<const char*>(data), SizeofResource(nullptr, found));
  DecipherInPlace(bytes, keyBytes);
  return bytes;
}

}  // namespace os
