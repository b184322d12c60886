// RC4 against the RFC 6229 key streams and the classic published examples.
#include "rc4.h"

#include <gtest/gtest.h>

namespace {

std::string FromHex(const char* hex) {
  std::string bytes;
  for (; hex[0] && hex[1]; hex += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex, 2), nullptr, 16)));
  }
  return bytes;
}

struct KeyStreamCase {
  const char* name;
  std::string key;
  size_t offset;
  std::string stream;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const KeyStreamCase& c, std::ostream* os) { *os << c.name; }

class Rc4KeyStreamTest : public testing::TestWithParam<KeyStreamCase> {};

TEST_P(Rc4KeyStreamTest, MatchesRfc6229) {
  const KeyStreamCase& c = GetParam();
  std::string bytes(c.offset + c.stream.size(), '\0');
  Rc4Apply(c.key, bytes);
  EXPECT_EQ(bytes.substr(c.offset), c.stream);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc6229, Rc4KeyStreamTest,
    testing::Values(KeyStreamCase{"key40_offset0", FromHex("0102030405"), 0,
                                  FromHex("b2396305f03dc027ccc3524a0a1118a8")},
                    KeyStreamCase{"key40_offset16", FromHex("0102030405"), 16,
                                  FromHex("6982944f18fc82d589c403a47a0d0919")},
                    KeyStreamCase{"key40_offset4096", FromHex("0102030405"), 4096,
                                  FromHex("ff25b58995996707e51fbdf08b34d875")},
                    KeyStreamCase{"key128_offset0", FromHex("0102030405060708090a0b0c0d0e0f10"), 0,
                                  FromHex("9ac7cc9a609d1ef7b2932899cde41b97")},
                    KeyStreamCase{"key128_offset16", FromHex("0102030405060708090a0b0c0d0e0f10"),
                                  16, FromHex("5248c4959014126a6e8a84f11d1a9e1c")}),
    [](const testing::TestParamInfo<KeyStreamCase>& info) { return info.param.name; });

struct TextCase {
  const char* name;
  std::string key;
  std::string plain;
  std::string cipher;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class Rc4TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(Rc4TextTest, EnciphersAndDeciphersAlike) {
  std::string bytes = GetParam().plain;
  Rc4Apply(GetParam().key, bytes);
  EXPECT_EQ(bytes, GetParam().cipher);
  Rc4Apply(GetParam().key, bytes);
  EXPECT_EQ(bytes, GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Published, Rc4TextTest,
    testing::Values(TextCase{"key_plaintext", "Key", "Plaintext", FromHex("bbf316e8d940af0ad3")},
                    TextCase{"wiki_pedia", "Wiki", "pedia", FromHex("1021bf0420")},
                    TextCase{"secret_attack", "Secret", "Attack at dawn",
                             FromHex("45a01f645fc35b383552544b9bf5")}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

}  // namespace
