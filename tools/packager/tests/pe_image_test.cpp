// Rewriting a PE image's resource section: the layout that follows, what must stay intact,
// and the images that are refused.
#include "pe_image.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/little_endian.h"
#include "pe_builder.h"

namespace {

using namespace test_pe;

ResourceDirectory Tree(std::initializer_list<std::pair<uint16_t, ByteString>> rcdata) {
  ResourceDirectory root;
  for (const auto& [number, bytes] : rcdata) SetResource(root, 10, number, 0, bytes);
  return root;
}

const ResourceDirectory kSmallTree = Tree({{1, "small"}});
const ResourceDirectory kLargeTree = Tree({{1, ByteString(0x2345, 'L')}, {2, "more"}});

std::string Code() { return std::string(0x345, '\xC3'); }
std::string Relocations() {
  return std::string("\x00\x10\x00\x00\x0C\x00\x00\x00\x01\x30\x02\x30", 12);
}

SectionLayout CodeSection() { return {".text", Code(), nullptr, kCode}; }
SectionLayout DataSection() { return {".data", std::string(0x20, 'd'), nullptr, kData}; }
SectionLayout ResourcesSection(const ResourceDirectory& tree) {
  return {".rsrc", "", &tree, kResources};
}
SectionLayout RelocationSection() { return {".reloc", Relocations(), nullptr, kRelocations}; }

struct RewriteCase {
  const char* name;
  ImageLayout layout;
  const ResourceDirectory* newTree;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const RewriteCase& c, std::ostream* os) { *os << c.name; }

class RewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, KeepsEverythingElseAndFixesTheHeaders) {
  const RewriteCase& c = GetParam();
  std::string original = BuildImage(c.layout);
  PeImage image;
  Text error;
  ASSERT_TRUE(image.Parse(original, error)) << ToUtf8(error);
  ByteString result;
  ASSERT_TRUE(image.WithResources(*c.newTree, result, error)) << ToUtf8(error);

  std::vector<SectionView> before = Sections(original);
  std::vector<SectionView> after = Sections(result);
  size_t optional = OptionalHeader(result);

  // Sections follow one another on both alignments, from the headers to the image's end.
  uint32_t expectedRaw = Field32(result, optional + 60);
  uint32_t expectedAddress = kSectionAlignment;
  for (const SectionView& section : after) {
    EXPECT_EQ(section.virtualAddress, expectedAddress) << section.name;
    EXPECT_EQ(section.rawPointer, expectedRaw) << section.name;
    EXPECT_EQ(section.rawSize % kFileAlignment, 0u) << section.name;
    EXPECT_GE(section.rawSize, section.virtualSize) << section.name;
    expectedAddress +=
        (section.virtualSize + kSectionAlignment - 1) / kSectionAlignment * kSectionAlignment;
    expectedRaw += section.rawSize;
  }
  EXPECT_EQ(Field32(result, optional + 56), expectedAddress);  // size of image

  // Every other section keeps its bytes, wherever it now lies; so does the overlay.
  for (const SectionView& old : before) {
    if (old.name == ".rsrc") continue;
    auto found = std::find_if(after.begin(), after.end(),
                              [&](const SectionView& s) { return s.name == old.name; });
    ASSERT_NE(found, after.end()) << old.name;
    EXPECT_EQ(RawData(result, *found), RawData(original, old)) << old.name;
    EXPECT_EQ(found->characteristics, old.characteristics) << old.name;
  }
  EXPECT_EQ(result.size(), expectedRaw + c.layout.overlay.size());
  EXPECT_EQ(result.substr(expectedRaw), c.layout.overlay);

  // The directories point at the moved tables; the checksum covers the new file.
  auto rsrc = std::find_if(after.begin(), after.end(),
                           [](const SectionView& s) { return s.name == ".rsrc"; });
  ASSERT_NE(rsrc, after.end());
  EXPECT_EQ(rsrc->characteristics, kResources);
  EXPECT_EQ(Directory(result, 2), std::make_pair(rsrc->virtualAddress, rsrc->virtualSize));
  auto reloc = std::find_if(after.begin(), after.end(),
                            [](const SectionView& s) { return s.name == ".reloc"; });
  if (reloc != after.end()) {
    EXPECT_EQ(Directory(result, 5),
              std::make_pair(reloc->virtualAddress, static_cast<uint32_t>(Relocations().size())));
  }
  EXPECT_EQ(Field32(result, optional + 64), PeChecksum(result, optional + 64));
  EXPECT_NE(Field32(result, optional + 64), Field32(original, optional + 64));

  ResourceDirectory parsed;
  ASSERT_TRUE(ParseResourceSection(RawData(result, *rsrc), rsrc->virtualAddress, parsed, error))
      << ToUtf8(error);
  EXPECT_EQ(TreeText(parsed), TreeText(*c.newTree));
}

ImageLayout Layout(bool is64, std::vector<SectionLayout> sections, std::string overlay = "") {
  ImageLayout layout;
  layout.is64 = is64;
  layout.sections = std::move(sections);
  layout.overlay = std::move(overlay);
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    if (layout.sections[i].name == ".rsrc") layout.directories.push_back({2, i, 0, 0});
    if (layout.sections[i].name == ".reloc") {
      layout.directories.push_back({5, i, 0, static_cast<uint32_t>(Relocations().size())});
    }
    if (layout.sections[i].name == ".data") layout.directories.push_back({1, i, 0, 0x14});
  }
  return layout;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RewriteTest,
    testing::Values(
        RewriteCase{"grows_before_relocations",
                    Layout(false, {CodeSection(), DataSection(), ResourcesSection(kSmallTree),
                                 RelocationSection()}),
                    &kLargeTree},
        RewriteCase{"shrinks_before_relocations",
                    Layout(false, {CodeSection(), DataSection(), ResourcesSection(kLargeTree),
                                 RelocationSection()}),
                    &kSmallTree},
        RewriteCase{"grows_as_last_section",
                    Layout(false, {CodeSection(), DataSection(), ResourcesSection(kSmallTree)}),
                    &kLargeTree},
        RewriteCase{"keeps_appended_data",
                    Layout(false, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()},
                         "PK\x05\x06 appended jar"),
                    &kLargeTree},
        RewriteCase{"added_before_relocations",
                    Layout(false, {CodeSection(), DataSection(), RelocationSection()}), &kLargeTree},
        RewriteCase{"added_at_the_end", Layout(false, {CodeSection(), DataSection()}, "overlay"),
                    &kSmallTree},
        RewriteCase{"pe32_plus",
                    Layout(true, {CodeSection(), DataSection(), ResourcesSection(kSmallTree),
                                RelocationSection()}),
                    &kLargeTree},
        RewriteCase{"pe32_plus_added", Layout(true, {CodeSection(), RelocationSection()}),
                    &kSmallTree}),
    [](const testing::TestParamInfo<RewriteCase>& info) { return info.param.name; });

TEST(RewriteTest, ShiftsTheSymbolTablePointerWithTheDataBehindTheResources) {
  ImageLayout layout =
      Layout(false, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()}, "symbols");
  std::string original = BuildImage(layout);
  uint32_t symbols = static_cast<uint32_t>(original.size() - 7);
  WriteU32(original, kPeHeader + 12, symbols);
  PeImage image;
  Text error;
  ByteString result;
  ASSERT_TRUE(image.Parse(original, error));
  ASSERT_TRUE(image.WithResources(kLargeTree, result, error)) << ToUtf8(error);
  EXPECT_EQ(result.substr(Field32(result, kPeHeader + 12), 7), "symbols");
}

struct RefusalCase {
  const char* name;
  std::string image;
  const char* errorPart;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, NamesTheReason) {
  PeImage image;
  Text error;
  ByteString result;
  bool parsed = image.Parse(GetParam().image, error);
  if (parsed) EXPECT_FALSE(image.WithResources(kSmallTree, result, error));
  EXPECT_NE(ToUtf8(error).find(GetParam().errorPart), std::string::npos) << ToUtf8(error);
}

std::string Modified(std::string image, size_t at, uint32_t value) {
  WriteU32(image, at, value);
  return image;
}

std::string Signed() {
  ImageLayout layout = Layout(false, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()},
                        "certificate");
  layout.signed_ = true;
  return BuildImage(layout);
}

std::string NoRoomForHeader() {
  ImageLayout layout = Layout(false, {CodeSection(), RelocationSection()});
  layout.bytesAfterSectionTable = true;
  return BuildImage(layout);
}

std::string ImportsInRelocations() {
  ImageLayout layout = Layout(false, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()});
  layout.directories.push_back({1, 2, 0, 4});
  return BuildImage(layout);
}

const std::string kGood =
    BuildImage(Layout(false, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()}));
const size_t kOptional = kPeHeader + 24;
size_t SectionHeaderAt(size_t index) { return kOptional + 224 + 40 * index; }

// The resources as the first section with one field of their section header changed; moved
// to address 0, the resource table names that address too.
std::string ResourcesFirstWith(size_t field, uint32_t value) {
  std::string image =
      BuildImage(Layout(false, {ResourcesSection(kSmallTree), RelocationSection()}));
  WriteU32(image, SectionHeaderAt(0) + field, value);
  if (field == 12) WriteU32(image, kOptional + 96 + 2 * 8, value);
  return image;
}

// A file of `size` bytes with a DOS header naming NT headers that begin with "PE\0\0" and
// hold nothing but zeros up to the end of the file.
std::string BareNtHeadersEndingAt(size_t size, size_t ntHeaders) {
  std::string image = "MZ" + std::string(size - 2, '\0');
  WriteU32(image, 0x3C, static_cast<uint32_t>(ntHeaders));
  image.replace(ntHeaders, 4, ByteString("PE\0\0", 4));
  return image;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    testing::Values(
        RefusalCase{"empty", "", "not a PE"},
        RefusalCase{"text_file", "[Application]\r\nMain Class=x\r\n" + std::string(64, ' '),
                    "not a PE"},
        RefusalCase{"mz_without_pe", "MZ" + std::string(200, '\0'), "no PE header"},
        RefusalCase{"pe_header_past_end", Modified(kGood, 0x3C, 0x7FFFFFF0), "no PE header"},
        RefusalCase{"mz_shorter_than_a_dos_header", "MZ" + std::string(61, '\0'), "no MZ header"},
        RefusalCase{"pe_header_offset_negative", Modified(kGood, 0x3C, 0xFFFFFFF0), "no PE header"},
        // Signature and file header take 24 bytes: one short of them is no PE header, all of
        // them get as far as the optional header.
        RefusalCase{"file_header_one_byte_short", BareNtHeadersEndingAt(0x100, 0x100 - 23),
                    "no PE header"},
        RefusalCase{"file_header_ends_at_file_end", BareNtHeadersEndingAt(0x100, 0x100 - 24),
                    "unknown optional header"},
        RefusalCase{"cut_short", kGood.substr(0, kGood.size() - 0x200), "cut short"},
        RefusalCase{"headers_cut_short", kGood.substr(0, 0x100), "cut short"},
        RefusalCase{"signed", Signed(), "signed"},
        RefusalCase{"writable_data_behind_resources",
                    BuildImage(Layout(false, {CodeSection(), ResourcesSection(kSmallTree),
                                            DataSection(), RelocationSection()})),
                    "section .data follows the resources"},
        RefusalCase{"no_room_for_a_section_header", NoRoomForHeader(), "no room"},
        RefusalCase{"table_in_a_moving_section", ImportsInRelocations(), "import table"},
        // The new resources would be written over the headers.
        RefusalCase{"section_data_inside_the_headers", ResourcesFirstWith(20, 0),
                    "inside the PE headers"},
        RefusalCase{"resources_at_address_zero", ResourcesFirstWith(12, 0),
                    "inside the PE headers"},
        // Sections off their alignment would leave the image size unaligned.
        RefusalCase{"sections_off_the_section_alignment",
                    Modified(kGood, kOptional + 32, 0x2000), "section alignment"},
        // Moved with the sections behind the resources, the address would wrap round.
        RefusalCase{"relocations_beyond_the_image",
                    Modified(kGood, kOptional + 96 + 5 * 8, 0xFFFFFF00), "outside the image"},
        RefusalCase{"symbol_table_beyond_the_file", Modified(kGood, kPeHeader + 12, 0xFFFFFFFF),
                    "symbol table lies outside the file"},
        RefusalCase{"small_section_alignment_unlike_file_alignment",
                    Modified(kGood, kOptional + 32, 0x400), "unusable alignments"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// The format defines 16 data directories; a count beyond them names nothing the tool knows,
// so what such a slot holds does not matter.
TEST(RewriteTest, ReadsNoDirectoryBeyondTheSixteenTheFormatDefines) {
  // A 32-bit optional header as long as a 64-bit one holds 18 directory slots.
  std::string image = BuildImage(
      Layout(true, {CodeSection(), ResourcesSection(kSmallTree), RelocationSection()}));
  auto [resourceRva, resourceSize] = Directory(image, 2);
  auto [relocationRva, relocationSize] = Directory(image, 5);
  WriteU16(image, kOptional, 0x10B);
  image.replace(kOptional + 92, 240 - 92, 240 - 92, '\0');
  WriteU32(image, kOptional + 92, 18);
  WriteU32(image, kOptional + 96 + 2 * 8, resourceRva);
  WriteU32(image, kOptional + 96 + 2 * 8 + 4, resourceSize);
  WriteU32(image, kOptional + 96 + 5 * 8, relocationRva);
  WriteU32(image, kOptional + 96 + 5 * 8 + 4, relocationSize);
  WriteU32(image, kOptional + 96 + 17 * 8, relocationRva + 0x100);
  WriteU32(image, kOptional + 96 + 17 * 8 + 4, 4);
  PeImage parsed;
  Text error;
  ByteString result;
  ASSERT_TRUE(parsed.Parse(image, error)) << ToUtf8(error);
  EXPECT_TRUE(parsed.WithResources(kLargeTree, result, error)) << ToUtf8(error);
}

TEST(PeChecksumTest, FoldsCarriesSkipsItsOwnFieldAndAddsTheLength) {
  // 0x0001 + 0x0002 + 0xFFFF folds to 0x0003; the field at byte 4 counts as zero; then
  // 0x0004, and the length 12.
  std::string file("\x01\x00\x02\x00\xAA\xBB\xCC\xDD\xFF\xFF\x04\x00", 12);
  EXPECT_EQ(PeChecksum(file, 4), 0x0007u + 12u);
  // An odd length: the last byte is the low half of a word.
  EXPECT_EQ(PeChecksum(std::string("\x05", 1), 100), 0x0005u + 1u);
}

}  // namespace
