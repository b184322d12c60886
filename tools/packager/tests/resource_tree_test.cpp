// The resource tree: round trips through the section bytes, malformed sections, and the
// replacement of one resource.
#include "resource_tree.h"

#include <gtest/gtest.h>

#include "core/little_endian.h"
#include "pe_builder.h"

namespace {

constexpr uint32_t kRva = 0x5000;

ResourceEntry Leaf(uint16_t language, ByteString bytes, uint32_t codePage = 0) {
  ResourceEntry entry;
  entry.name.number = language;
  entry.data.bytes = std::move(bytes);
  entry.data.codePage = codePage;
  return entry;
}

ResourceEntry Directory(ResourceName name, std::vector<ResourceEntry> children) {
  ResourceEntry entry;
  entry.name = std::move(name);
  entry.directory = std::make_unique<ResourceDirectory>();
  entry.directory->entries = std::move(children);
  return entry;
}

ResourceName Number(uint16_t number) { return ResourceName{true, number, Text()}; }
ResourceName Named(const Text& text) { return ResourceName{false, 0, text}; }

template <typename... Entries>
std::vector<ResourceEntry> List(Entries... entries) {
  std::vector<ResourceEntry> list;
  (list.push_back(std::move(entries)), ...);
  return list;
}

// Types with a named and a numbered resource, two languages, odd sizes and a code page.
ResourceDirectory SampleTree() {
  ResourceDirectory root;
  root.timeDateStamp = 0x12345678;
  root.majorVersion = 4;
  root.entries =
      List(Directory(Named(u"TYPELIB"), List(Directory(Number(1), List(Leaf(0, "typelib"))))),
           Directory(Number(3), List(Directory(Number(1), List(Leaf(0x421, ByteString(37, 'i')))))),
           Directory(Number(6), List(Directory(Number(14), List(Leaf(0x421, "strings", 1200),
                                                                Leaf(0x409, "english"))))),
           Directory(Number(10), List(Directory(Named(u"DATA"), List(Leaf(0, "x"))),
                                      Directory(Number(100), List(Leaf(0, ByteString()))))),
           Directory(Number(24), List(Directory(Number(1), List(Leaf(0x409, "<assembly/>"))))));
  return root;
}

TEST(ResourceTreeTest, RoundTripsEveryEntryAndAttribute) {
  ResourceDirectory tree = SampleTree();
  ByteString section = SerializeResourceSection(tree, kRva);
  ResourceDirectory parsed;
  Text error;
  ASSERT_TRUE(ParseResourceSection(section, kRva, parsed, error)) << ToUtf8(error);
  EXPECT_EQ(test_pe::TreeText(parsed), test_pe::TreeText(tree));
  EXPECT_EQ(parsed.timeDateStamp, 0x12345678u);
  EXPECT_EQ(parsed.majorVersion, 4);
  EXPECT_EQ(SerializeResourceSection(parsed, kRva), section);
}

TEST(ResourceTreeTest, WritesNamedEntriesFirstAndDataOnEightBytes) {
  ResourceDirectory tree;
  tree.entries = List(Directory(Number(10), List(Directory(Number(1), List(Leaf(0, "abc"))))),
                      Directory(Named(u"B"), List(Directory(Number(1), List(Leaf(0, "d"))))));
  ByteString section = SerializeResourceSection(tree, kRva);
  EXPECT_EQ(ReadU16(section, 12), 1);                 // named
  EXPECT_EQ(ReadU16(section, 14), 1);                 // numbered
  EXPECT_NE(ReadU32(section, 16) & 0x80000000u, 0u);  // the named one comes first
  ResourceDirectory parsed;
  Text error;
  ASSERT_TRUE(ParseResourceSection(section, kRva, parsed, error));
  std::vector<size_t> dataOffsets;
  for (size_t at = 0; at + 16 <= section.size(); ++at) {
    if (section.compare(at, 3, "abc") == 0 || section.compare(at, 1, "d") == 0) {
      dataOffsets.push_back(at);
    }
  }
  for (size_t at : dataOffsets) EXPECT_EQ(at % 8, 0u);
}

ByteString Section(std::initializer_list<uint32_t> words, size_t size = 64) {
  ByteString bytes(size, '\0');
  size_t at = 0;
  for (uint32_t word : words) {
    WriteU32(bytes, at, word);
    at += 4;
  }
  return bytes;
}

struct MalformedCase {
  const char* name;
  ByteString section;
  const char* errorPart;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class MalformedResourceTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedResourceTest, IsRefusedWithAReason) {
  ResourceDirectory parsed;
  Text error;
  EXPECT_FALSE(ParseResourceSection(GetParam().section, kRva, parsed, error));
  EXPECT_NE(ToUtf8(error).find(GetParam().errorPart), std::string::npos) << ToUtf8(error);
}

// Words: characteristics, stamp, versions, counts (named | numbered << 16), entries...
INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedResourceTest,
    testing::Values(MalformedCase{"too_short", ByteString(8, '\0'), "outside"},
                    MalformedCase{"entries_past_end", Section({0, 0, 0, 100u << 16}), "entries"},
                    MalformedCase{"directory_loops_to_root",
                                  Section({0, 0, 0, 1u << 16, 10, 0x80000000u}), "twice"},
                    MalformedCase{"subdirectory_past_end",
                                  Section({0, 0, 0, 1u << 16, 10, 0x80000100u}), "outside"},
                    MalformedCase{"name_past_end", Section({0, 0, 0, 1, 0x80000100u, 24}), "name"},
                    MalformedCase{"data_before_section",
                                  Section({0, 0, 0, 1u << 16, 10, 24, 0x100, 4}),
                                  "outside the resource section"},
                    MalformedCase{"data_past_section",
                                  Section({0, 0, 0, 1u << 16, 10, 24, kRva + 60, 8}),
                                  "outside the resource section"},
                    MalformedCase{"data_at_the_type_level",
                                  Section({0, 0, 0, 1u << 16, 10, 24, kRva + 40, 4}),
                                  "above the language level"},
                    // Three entries naming the whole section: copied out, they would take
                    // three times the section, and a hostile tree takes gigabytes this way.
                    MalformedCase{"entries_share_one_data_block",
                                  Section({0, 0, 0, 1u << 16, 10, 0x80000018u,    // types
                                           0, 0, 0, 1u << 16, 1, 0x80000030u,     // names
                                           0, 0, 0, 3u << 16, 1, 88, 2, 88, 3, 88,  // languages
                                           kRva, 128, 0, 0},
                                          128),
                                  "share"}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(ResourceTreeTest, RefusesATreeNestedBeyondAnyLinkersDepth) {
  // A chain of directories, each with one subdirectory right behind it.
  ByteString section;
  for (uint32_t level = 0; level < 12; ++level) {
    ByteString table = Section({0, 0, 0, 1u << 16, 1, 0x80000000u | ((level + 1) * 24)}, 24);
    section += table;
  }
  section += Section({0, 0, 0, 0}, 16);
  ResourceDirectory parsed;
  Text error;
  EXPECT_FALSE(ParseResourceSection(section, kRva, parsed, error));
  EXPECT_NE(ToUtf8(error).find("deeply"), std::string::npos);
}

TEST(SetResourceTest, ReplacesEveryLanguageAndKeepsTheRest) {
  ResourceDirectory tree = SampleTree();
  SetResource(tree, 6, 14, 0, "neutral");
  std::string text = test_pe::TreeText(tree);
  EXPECT_EQ(text.find("6/14/1057"), std::string::npos);
  EXPECT_EQ(text.find("6/14/1033"), std::string::npos);
  EXPECT_NE(text.find("6/14/0 7 cp0 neutral"), std::string::npos);
  EXPECT_NE(text.find("24/1/1033"), std::string::npos);
  EXPECT_NE(text.find("'TYPELIB'/1/0"), std::string::npos);
}

TEST(SetResourceTest, InsertsNumbersInAscendingOrderAfterNames) {
  ResourceDirectory tree = SampleTree();
  SetResource(tree, 10, 9000, 0, "key");
  SetResource(tree, 10, 8000, 0, "text");
  SetResource(tree, 5, 1, 0, "dialog");
  EXPECT_EQ(test_pe::TreeText(tree),
            "'TYPELIB'/1/0 7 cp0 typelib\n"
            "3/1/1057 37 cp0 iiiiiiiiiiii\n"
            "5/1/0 6 cp0 dialog\n"
            "6/14/1057 7 cp1200 strings\n"
            "6/14/1033 7 cp0 english\n"
            "10/'DATA'/0 1 cp0 x\n"
            "10/100/0 0 cp0 \n"
            "10/8000/0 4 cp0 text\n"
            "10/9000/0 3 cp0 key\n"
            "24/1/1033 11 cp0 <assembly/>\n");
}

TEST(FindResourceTest, PrefersTheNeutralLanguage) {
  ResourceDirectory tree;
  tree.entries = List(Directory(
      Number(10), List(Directory(Number(8000), List(Leaf(0x409, "en"), Leaf(0, "neutral"))),
                       Directory(Number(9000), List(Leaf(0x421, "id"))))));
  ASSERT_NE(FindResourceData(tree, 10, 8000), nullptr);
  EXPECT_EQ(FindResourceData(tree, 10, 8000)->bytes, "neutral");
  ASSERT_NE(FindResourceData(tree, 10, 9000), nullptr);
  EXPECT_EQ(FindResourceData(tree, 10, 9000)->bytes, "id");
  EXPECT_EQ(FindResourceData(tree, 10, 7000), nullptr);
  EXPECT_EQ(FindResourceData(tree, 3, 8000), nullptr);
}

}  // namespace
