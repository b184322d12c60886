// The base provider's key derivation: five digest bytes, eleven zero bytes of salt.
#include "settings_cipher.h"

#include <gtest/gtest.h>

#include "md5.h"
#include "rc4.h"

namespace {

TEST(SettingsCipherTest, KeysRc4WithFortyBitsOfTheDigestAndZeroSalt) {
  // MD5("abc") = 900150983cd24fb0d6963f7d28e17f72
  EXPECT_EQ(BaseProviderRc4Key("abc"),
            std::string("\x90\x01\x50\x98\x3c", 5) + std::string(11, '\0'));
}

TEST(SettingsCipherTest, IsRc4UnderTheDerivedKeyAndUndoesItself) {
  ByteString text = "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n";
  ByteString expected = text;
  Rc4Apply(BaseProviderRc4Key("{key}"), expected);
  ByteString bytes = text;
  ApplySettingsCipher("{key}", bytes);
  EXPECT_EQ(bytes, expected);
  ApplySettingsCipher("{key}", bytes);
  EXPECT_EQ(bytes, text);
}

}  // namespace
