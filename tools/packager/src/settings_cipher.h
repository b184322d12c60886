// The cipher of the embedded settings as the Windows base provider applies it, so that the
// launcher's CryptoAPI calls decipher what this tool writes.
#pragma once

#include "core/text.h"

// The provider derives a 40-bit RC4 key from an MD5 hash: the digest's first five bytes,
// followed by eleven zero bytes of salt, make the sixteen bytes RC4 is keyed with.
ByteString BaseProviderRc4Key(const ByteString& keyBytes);
// Enciphers or deciphers (the same operation) under the key bytes.
void ApplySettingsCipher(const ByteString& keyBytes, ByteString& bytes);
