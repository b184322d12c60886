// The packaging tool's settings text and cipher. Input: a settings file's bytes.
#include "fuzz_input.h"
#include "settings_cipher.h"
#include "settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteString bytes = fuzz::Bytes(data, size);
  Text text;
  Text error;
  if (DecodeSettingsFile(bytes, text, error)) {
    // Every line end becomes CR LF, once and for all (a second pass only drops a further
    // leading U+FEFF, the text's own character after the byte-order mark).
    Text normal = NormalizeSettingsText(text);
    Text again = NormalizeSettingsText(normal);
    FUZZ_CHECK(again == normal || (normal[0] == u'\uFEFF' && again == normal.substr(1)));
    for (size_t at = 0; at < normal.size(); ++at) {
      if (normal[at] == u'\r') FUZZ_CHECK(at + 1 < normal.size() && normal[at + 1] == u'\n');
      if (normal[at] == u'\n') FUZZ_CHECK(at > 0 && normal[at - 1] == u'\r');
    }
  } else {
    FUZZ_CHECK(!error.empty());
  }
  Text codeError;
  if (CheckUpgradeCode(FromUtf8(bytes), codeError)) FUZZ_CHECK(codeError.empty());

  // The cipher undoes itself under the same key.
  ByteString key = bytes.substr(0, size / 2);
  ByteString enciphered = bytes;
  ApplySettingsCipher(key, enciphered);
  ApplySettingsCipher(key, enciphered);
  FUZZ_CHECK(enciphered == bytes);
  return 0;
}
