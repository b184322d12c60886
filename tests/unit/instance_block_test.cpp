// The shared block's argument area: what a later start packs and what the running instance
// reads back, at the limits other processes rely on.
#include "instance/instance_block.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A block as a previous request may have left it: every byte set.
InstanceBlock UsedBlock() {
  InstanceBlock block;
  std::memset(&block, 0xAB, sizeof(block));
  return block;
}

TextList RoundTrip(const TextList& arguments) {
  InstanceBlock block = UsedBlock();
  EXPECT_TRUE(PackArguments(arguments, block));
  TextList read{u"kept"};
  UnpackArguments(block, read);
  read.erase(read.begin());
  return read;
}

struct RoundTripCase {
  const char* name;
  TextList packed;
  TextList read;
};

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, ReadsWhatWasPackedUpToAnEmptyString) {
  EXPECT_EQ(RoundTrip(GetParam().packed), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripTest,
    testing::Values(
        RoundTripCase{"words", {u"a", u"bc"}, {u"a", u"bc"}},
        RoundTripCase{"no_words_read_as_one_empty_string", {}, {u""}},
        RoundTripCase{"empty_in_the_middle_ends_the_list", {u"a", u"", u"b"}, {u"a"}},
        RoundTripCase{"empty_first_then_words", {u"", u"b"}, {u"", u"b"}},
        RoundTripCase{"empty_last", {u"a", u""}, {u"a"}},
        RoundTripCase{"any_code_unit", {u"\u0101 \u03a9", u"\U0001F600", u"-nosplash"},
                      {u"\u0101 \u03a9", u"\U0001F600", u"-nosplash"}}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

struct LimitCase {
  const char* name;
  TextList arguments;
  size_t size;
  bool packs;
};

class LimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(LimitTest, PacksUpTo1040BytesAndLeavesTheBlockAloneBeyond) {
  const LimitCase& row = GetParam();
  EXPECT_EQ(PackedArgumentsSize(row.arguments), row.size);
  InstanceBlock block = UsedBlock();
  InstanceBlock before = block;
  EXPECT_EQ(PackArguments(row.arguments, block), row.packs);
  if (!row.packs) {
    EXPECT_EQ(std::memcmp(&block, &before, sizeof(block)), 0);
    return;
  }
  TextList read;
  UnpackArguments(block, read);
  EXPECT_EQ(read, row.arguments);
  // Only the first 1040 bytes of the area are written; the rest keeps what it held.
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&block);
  EXPECT_EQ(bytes[12 + 1040], 0xAB);
  EXPECT_EQ(std::memcmp(&block, &before, 12), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LimitTest,
    testing::Values(LimitCase{"one_string_of_1040_bytes", {Text(518, u'x')}, 1040, true},
                    LimitCase{"one_string_of_1042_bytes", {Text(519, u'x')}, 1042, false},
                    LimitCase{"many_strings_of_1040_bytes", TextList(173, u"ab"), 1040, true},
                    LimitCase{"many_strings_of_1042_bytes",
                              [] {
                                TextList list(172, u"ab");
                                list.push_back(u"abc");
                                return list;
                              }(),
                              1042, false}),
    [](const testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

// Another writer may fill the area farther than this one does; the reader still stops one unit
// short of the end and keeps only strings that were ended.
TEST(UnpackArgumentsTest, ScanStopsBeforeTheAreasLastUnit) {
  InstanceBlock block = UsedBlock();
  std::fill(std::begin(block.argumentArea), std::end(block.argumentArea), u'x');
  block.argumentArea[1037] = u'\0';
  block.argumentArea[1038] = u'y';
  block.argumentArea[1039] = u'\0';  // would end "y", but lies at the scan's end
  TextList read;
  UnpackArguments(block, read);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0], Text(1037, u'x'));
}

TEST(UnpackArgumentsTest, NulAtTheLastScannedUnitLooksAtTheUnitAfterIt) {
  InstanceBlock block = UsedBlock();
  std::fill(std::begin(block.argumentArea), std::end(block.argumentArea), u'x');
  block.argumentArea[1038] = u'\0';
  block.argumentArea[1039] = u'\0';
  TextList read;
  UnpackArguments(block, read);
  EXPECT_EQ(read, TextList{Text(1038, u'x')});
}

TEST(InstanceNameTest, EveryBackslashBecomesAnUnderscore) {
  EXPECT_EQ(InstanceName(u"C:\\Apps\\Tool\\tool.exe"), u"C:_Apps_Tool_tool.exe");
  EXPECT_EQ(MainReadyEventName(u"C:_a.exe"), u"C:_a.exe_upr_evt");
}

}  // namespace
