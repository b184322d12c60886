// Portable Executable header offsets and machine types, read only inside the file.
#include "runtime/pe_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& file, size_t at, uint16_t value) {
  file[at] = static_cast<uint8_t>(value);
  file[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDword(Bytes& file, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A file of `size` bytes that starts with MZ and names NT headers at `ntOffset`; when they
// fit, they carry `signature` and `machine`.
Bytes Image(size_t size, uint32_t ntOffset, uint32_t signature = 0x4550,
            uint16_t machine = 0x14C) {
  Bytes file(size, 0);
  if (size >= 2) PutWord(file, 0, 0x5A4D);
  if (size >= 0x40) PutDword(file, 0x3C, ntOffset);
  if (uint64_t{ntOffset} + 6 <= size) {
    PutDword(file, ntOffset, signature);
    PutWord(file, ntOffset + 4, machine);
  }
  return file;
}

struct HeaderCase {
  const char* name;
  Bytes file;
  bool isImage;
  uint16_t machine;
};

class PeHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(PeHeaderTest, ReadsMachineOnlyFromHeadersInsideTheFile) {
  const HeaderCase& c = GetParam();
  size_t offset = 0;
  uint16_t machine = 0;
  bool found = FindNtHeaders(c.file.data(), c.file.size(), offset) &&
               ReadMachineType(c.file.data(), c.file.size(), offset, machine);
  EXPECT_EQ(found, c.isImage);
  if (c.isImage) EXPECT_EQ(machine, c.machine);
}

Bytes WithoutMz() {
  Bytes file = Image(0x200, 0x80);
  file[0] = 'Z';
  return file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeHeaderTest,
    testing::Values(
        HeaderCase{"x86_image", Image(0x200, 0x80), true, 0x14C},
        HeaderCase{"x64_image", Image(0x200, 0x80, 0x4550, 0x8664), true, 0x8664},
        HeaderCase{"headers_end_exactly_at_file_end", Image(0x98, 0x80, 0x4550, 0x8664), true,
                   0x8664},
        HeaderCase{"headers_inside_dos_header", Image(0x40, 0x04), true, 0x14C},
        HeaderCase{"empty_file", Bytes(), false, 0},
        HeaderCase{"mz_alone", Image(2, 0), false, 0},
        HeaderCase{"shorter_than_dos_header", Image(0x3F, 0), false, 0},
        HeaderCase{"no_mz", WithoutMz(), false, 0},
        HeaderCase{"mz_without_pe_signature", Image(0x200, 0x80, 0x12345678), false, 0},
        HeaderCase{"offset_past_end", Image(0x200, 0x1000), false, 0},
        HeaderCase{"file_header_truncated", Image(0x97, 0x80), false, 0},
        HeaderCase{"signature_only", Image(0x84, 0x80), false, 0},
        HeaderCase{"negative_offset", Image(0x200, 0xFFFFFFF0u), false, 0},
        HeaderCase{"huge_offset", Image(0x200, 0x7FFFFFF0u), false, 0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

// The image helper may name other headers than the DOS header does; those are checked too.
TEST(PeHeaderTest, RejectsReportedHeadersOutsideTheFile) {
  Bytes file = Image(0x200, 0x80);
  uint16_t machine = 0;
  EXPECT_FALSE(ReadMachineType(file.data(), file.size(), 0x1F0, machine));
  EXPECT_FALSE(ReadMachineType(file.data(), file.size(), SIZE_MAX - 2, machine));
  EXPECT_TRUE(ReadMachineType(file.data(), file.size(), 0x80, machine));
}

// The packaging tool hands over the offset field unsigned, so any 32-bit value (and, from a
// wider caller, more) arrives here; only the file decides.
TEST(PeHeaderTest, JudgesNtHeadersAtAnyOffsetByTheFileAlone) {
  struct OffsetCase {
    const char* name;
    uint64_t offset;
    bool found;
  };
  const Bytes file = Image(0x200, 0x200 - 24);
  for (const OffsetCase& c : {
           OffsetCase{"headers_end_at_file_end", 0x200 - 24, true},
           OffsetCase{"no_signature_there", 0x200 - 25, false},
           OffsetCase{"one_byte_short", 0x200 - 23, false},
           OffsetCase{"negative_as_a_field", 0xFFFFFFF0u, false},
           OffsetCase{"same_offset_above_32_bits", (uint64_t{1} << 32) + 0x200 - 24, false},
           OffsetCase{"largest", UINT64_MAX, false},
       }) {
    EXPECT_EQ(HasNtHeadersAt(file.data(), file.size(), c.offset), c.found) << c.name;
  }
}

}  // namespace
