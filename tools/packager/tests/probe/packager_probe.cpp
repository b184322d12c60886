// Windows-side probe for the packaging tool's end-to-end tests, run under Wine:
//   packager_probe cipher         the tool's cipher against the CryptoAPI, both ways
//   packager_probe checksum FILE  the stored and the computed image checksum, as imagehlp
//                                 reads them
#include <cstdio>

#include "platform/process.h"
#include "platform/win32/base_provider.h"
#include "settings_cipher.h"
#include "tool_io.h"
// After the Windows header, whose types it uses.
#include <imagehlp.h>

namespace {

bool CryptoApiEncipher(const ByteString& keyBytes, ByteString& bytes) {
  os::CryptProvider provider = os::AcquireBaseProvider();
  os::CryptKey key = provider ? os::DeriveSettingsKey(provider, keyBytes) : os::CryptKey();
  DWORD length = static_cast<DWORD>(bytes.size());
  return key &&
         CryptEncrypt(key.Get(), 0, TRUE, 0, reinterpret_cast<BYTE*>(&bytes[0]), &length, length) &&
         length == bytes.size();
}

struct CipherCase {
  const char16_t* name;
  ByteString key;
  ByteString data;
};

ByteString Pattern(size_t size) {
  ByteString bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return bytes;
}

int CheckCipher() {
  const CipherCase cases[] = {
      {u"empty_key", ByteString(), "[Application]\r\n"},
      {u"guid_key_and_key_sized_data", "{0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9}", Pattern(76)},
      {u"high_and_nul_key_bytes", ByteString("\x80\xFF\x00\x7F", 4), "x"},
      {u"long_key", Pattern(300), Pattern(64)},
      {u"empty_data", "key", ByteString()},
      {u"odd_length_data", "key", Pattern(77)},
      {u"long_data", "another key", Pattern(5000)},
  };
  int failures = 0;
  for (const CipherCase& c : cases) {
    ByteString byTool = c.data;
    ApplySettingsCipher(c.key, byTool);
    ByteString toolThenCryptoApi = byTool;
    bool deciphered = os::DecipherInPlace(toolThenCryptoApi, c.key);
    ByteString byCryptoApi = c.data;
    bool enciphered = CryptoApiEncipher(c.key, byCryptoApi);
    ByteString cryptoApiThenTool = byCryptoApi;
    ApplySettingsCipher(c.key, cryptoApiThenTool);
    bool ok = deciphered && enciphered && toolThenCryptoApi == c.data &&
              cryptoApiThenTool == c.data && byTool == byCryptoApi;
    if (!ok) ++failures;
    tool::WriteOutput(Text(ok ? u"ok " : u"FAIL ") + c.name + u"\n");
  }
  return failures;
}

int PrintChecksum(const Text& path) {
  DWORD stored = 0;
  DWORD computed = 0;
  if (MapFileAndCheckSumW(Wide(path), &stored, &computed) != CHECKSUM_SUCCESS) return 1;
  char line[40];
  std::snprintf(line, sizeof line, "%08lX %08lX\n", stored, computed);
  tool::WriteOutput(FromAscii(line));
  return 0;
}

}  // namespace

int main() {
  TextList words = os::CommandLineArguments();
  if (words.size() == 1 && words[0] == u"cipher") return CheckCipher();
  if (words.size() == 2 && words[0] == u"checksum") return PrintChecksum(words[1]);
  tool::WriteError(u"usage: packager_probe cipher | checksum FILE\n");
  return 2;
}
