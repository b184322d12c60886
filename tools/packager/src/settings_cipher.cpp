// Key derivation of the base provider, over the portable MD5 and RC4.
#include "settings_cipher.h"

#include "md5.h"
#include "rc4.h"

namespace {
constexpr size_t kKeyBytes = 40 / 8;
constexpr size_t kSaltBytes = 11;
}  // namespace

ByteString BaseProviderRc4Key(const ByteString& keyBytes) {
  Md5Digest digest = Md5(keyBytes);
  ByteString key(digest.begin(), digest.begin() + kKeyBytes);
  key.append(kSaltBytes, '\0');
  return key;
}

void ApplySettingsCipher(const ByteString& keyBytes, ByteString& bytes) {
  Rc4Apply(BaseProviderRc4Key(keyBytes), bytes);
}
