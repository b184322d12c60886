// Small PE images made to order for the tests, and plain readers of their headers that
// share nothing with the code under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resource_tree.h"

namespace test_pe {

constexpr uint32_t kCode = 0x60000020;
constexpr uint32_t kData = 0xC0000040;
constexpr uint32_t kResources = 0x40000040;
constexpr uint32_t kRelocations = 0x42000040;  // discardable
constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr size_t kPeHeader = 0x80;

struct SectionLayout {
  std::string name;
  std::string data;                              // ignored when `resources` is set
  const ResourceDirectory* resources = nullptr;  // serialized at the section's address
  uint32_t characteristics = kData;
};

struct DirectoryLayout {
  uint32_t index;
  size_t section;
  uint32_t offset;
  uint32_t size;
};

struct ImageLayout {
  bool is64 = false;
  std::vector<SectionLayout> sections;
  std::vector<DirectoryLayout> directories;
  std::string overlay;
  // Non-zero bytes right after the section table, where a new header would have to go.
  bool bytesAfterSectionTable = false;
  // A certificate table (its address is a file offset, here the overlay's).
  bool signed_ = false;
};

std::string BuildImage(const ImageLayout& layout);

struct SectionView {
  std::string name;
  uint32_t virtualSize, virtualAddress, rawSize, rawPointer, characteristics;
};

uint32_t Field32(const std::string& image, size_t at);
size_t OptionalHeader(const std::string& image);
std::vector<SectionView> Sections(const std::string& image);
// Data directory `index`: address and size.
std::pair<uint32_t, uint32_t> Directory(const std::string& image, uint32_t index);
std::string RawData(const std::string& image, const SectionView& section);

// One line per leaf, "type/name/language size codepage first-bytes", for comparing trees.
std::string TreeText(const ResourceDirectory& root);

}  // namespace test_pe
