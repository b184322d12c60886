// MD5 against the RFC 1321 test suite and the padding boundaries around one block.
#include "md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const Md5Digest& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string Pattern(size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<char>((i * 7) & 0xFF));
  return bytes;
}

struct Md5Case {
  const char* name;
  std::string input;
  const char* digest;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const Md5Case& c, std::ostream* os) { *os << c.name; }

class Md5Test : public testing::TestWithParam<Md5Case> {};

TEST_P(Md5Test, GivesPublishedDigest) { EXPECT_EQ(Hex(Md5(GetParam().input)), GetParam().digest); }

INSTANTIATE_TEST_SUITE_P(
    Rfc1321, Md5Test,
    testing::Values(
        Md5Case{"empty", "", "d41d8cd98f00b204e9800998ecf8427e"},
        Md5Case{"a", "a", "0cc175b9c0f1b6a831c399e269772661"},
        Md5Case{"abc", "abc", "900150983cd24fb0d6963f7d28e17f72"},
        Md5Case{"message_digest", "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        Md5Case{"alphabet", "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        Md5Case{"alphanumerics", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                "d174ab98d277d9f5a5611c2c9f419d9f"},
        Md5Case{"eighty_digits",
                "1234567890123456789012345678901234567890123456789012345678901234567890"
                "1234567890",
                "57edf4a22be3c955ac49da2e2107b67a"}),
    [](const testing::TestParamInfo<Md5Case>& info) { return info.param.name; });

// Lengths where the length field just fits, just does not, and where whole blocks end.
INSTANTIATE_TEST_SUITE_P(
    PaddingBoundaries, Md5Test,
    testing::Values(Md5Case{"bytes_55", Pattern(55), "8d24280288a696559fd8d5aa1b6d8c6e"},
                    Md5Case{"bytes_56", Pattern(56), "ef2c72b7254c92459e498eddd4ace573"},
                    Md5Case{"bytes_63", Pattern(63), "c4c8c6d513f4e1604eb18508a1769364"},
                    Md5Case{"bytes_64", Pattern(64), "a2fcb39a253b9b785b1f97518fa37683"},
                    Md5Case{"bytes_65", Pattern(65), "e49fe82d0bb12967a196c85de313e446"},
                    Md5Case{"bytes_120", Pattern(120), "05f879f7b542a7ebf0605adff67d4423"},
                    Md5Case{"bytes_1000", Pattern(1000), "de809ff794e91b68f9e91a2b7030bcb0"}),
    [](const testing::TestParamInfo<Md5Case>& info) { return info.param.name; });

}  // namespace
