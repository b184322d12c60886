// UTF-16LE bytes as text, the way resource contents are read, and back.
#include "core/utf16le.h"

#include <gtest/gtest.h>

#include "config/settings_sources.h"

namespace {

struct BytesCase {
  const char* name;
  ByteString bytes;
  Text text;
};

class TextFromUtf16LeTest : public testing::TestWithParam<BytesCase> {};

TEST_P(TextFromUtf16LeTest, TakesBytesInLittleEndianPairs) {
  EXPECT_EQ(TextFromUtf16Le(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFromUtf16LeTest,
    testing::Values(BytesCase{"ascii", ByteString("A\0b\0", 4), u"Ab"},
                    BytesCase{"high_bytes", ByteString("\xE9\x00\xAC\x20", 4), u"\u00E9\u20AC"},
                    BytesCase{"odd_last_byte_dropped", ByteString("A\0B", 3), u"A"},
                    BytesCase{"single_byte", ByteString("A", 1), u""},
                    BytesCase{"nul_units_kept", ByteString("\0\0x\0", 4), Text(u"\0x", 2)},
                    BytesCase{"empty", ByteString(), u""}),
    [](const testing::TestParamInfo<BytesCase>& info) { return info.param.name; });

TEST(Utf16LeBytesTest, IsTheInverse) {
  Text text = u"[A]\r\nk=\u00E9\U0001F600";
  ByteString bytes = Utf16LeBytes(text);
  EXPECT_EQ(bytes.size(), text.size() * 2);
  EXPECT_EQ(bytes.substr(0, 2), ByteString("[\0", 2));
  EXPECT_EQ(TextFromUtf16Le(bytes), text);
}

// Bytes deciphered under a wrong key are arbitrary; parsing them and looking keys up must
// stay inside the text whatever it holds (the sanitizer build checks every access), and a
// lookup still finds the first entry of its key.
TEST(TextFromUtf16LeTest, ArbitraryBytesParseSafely) {
  static const char16_t kInteresting[] = {u'[', u']', u'=', u'\r', u'\n', u' ', u'a', u'\0'};
  uint32_t state = 12345;
  for (int round = 0; round < 200; ++round) {
    Text units;
    size_t size = 1 + (round * 37) % 300;
    for (size_t i = 0; i < size; ++i) {
      state = state * 1103515245u + 12345u;
      // Mostly the characters the parser looks at, so that headers and entries appear.
      units.push_back((state >> 16) % 3 == 0 ? static_cast<char16_t>(state >> 16)
                                             : kInteresting[(state >> 20) % 8]);
    }
    ByteString bytes = Utf16LeBytes(units);
    if (round % 2) bytes.pop_back();  // an odd length as well
    IniText ini(TextFromUtf16Le(bytes));
    for (const Text& name : {Text(), Text(u"a"), Text(u" a"), Text(u"a "), Text(u"aa")}) {
      const IniSection* section = ini.FindSection(name);
      if (!section) continue;
      EXPECT_EQ(section->name, name);
      for (size_t at = 0; at < section->entries.size(); ++at) {
        const IniEntry* found = section->FindKey(section->entries[at].key);
        ASSERT_NE(found, nullptr);
        EXPECT_LE(found, &section->entries[at]);
        EXPECT_EQ(found->key, section->entries[at].key);
      }
    }
  }
}

}  // namespace
