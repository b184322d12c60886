// A PE image (32- or 64-bit) as far as replacing its resource section needs it: headers,
// section table, data directories, checksum.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "resource_tree.h"

struct PeSection {
  ByteString name;
  uint32_t virtualSize = 0;
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawPointer = 0;
  uint32_t characteristics = 0;
};

class PeImage {
 public:
  // False, with the reason, when the bytes are not a PE image or are cut short.
  bool Parse(ByteString bytes, Text& error);

  // The resource section's bytes and the address the image maps them at; false when the
  // image has no resources.
  bool ResourceSection(std::string_view& bytes, uint32_t& rva) const;

  // The whole image file again, its resource section now holding the tree (a new section
  // when it had none). The sections behind it move, the headers and checksum follow, and any
  // data appended to the file stays at its end. False, with the reason, when the image is laid
  // out in a way that cannot be rewritten safely.
  bool WithResources(const ResourceDirectory& root, ByteString& result, Text& error) const;

  size_t ChecksumOffset() const { return optionalHeader_ + 64; }

 private:
  uint32_t Field32(size_t at) const;
  size_t SectionHeader(size_t index) const { return sectionTable_ + index * 40; }
  uint32_t SectionExtent(const PeSection& section) const;
  bool RvaToOffset(uint32_t rva, size_t& offset) const;
  bool CheckDebugData(uint32_t startVa, uint32_t startRaw, Text& error) const;

  ByteString bytes_;
  size_t peHeader_ = 0;
  size_t optionalHeader_ = 0;
  size_t sectionTable_ = 0;
  size_t directories_ = 0;
  uint32_t directoryCount_ = 0;
  uint32_t fileAlignment_ = 0;
  uint32_t sectionAlignment_ = 0;
  uint32_t sizeOfHeaders_ = 0;
  std::vector<PeSection> sections_;
  int resourceIndex_ = -1;
};

// The optional header's checksum of an image file, its own four bytes counted as zero.
uint32_t PeChecksum(std::string_view file, size_t checksumOffset);
