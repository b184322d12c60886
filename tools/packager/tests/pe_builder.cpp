// Test images laid out as a linker lays them out: headers, then each section on the file
// alignment, addresses on the section alignment, then the overlay.
#include "pe_builder.h"

#include "core/little_endian.h"
#include "pe_image.h"

namespace test_pe {

namespace {

uint32_t AlignUp(uint32_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

void Leaves(const ResourceDirectory& directory, const std::string& path, std::string& text) {
  for (const ResourceEntry& entry : directory.entries) {
    std::string name = entry.name.isNumber ? std::to_string(entry.name.number)
                                           : "'" + ToUtf8(entry.name.text) + "'";
    std::string here = path.empty() ? name : path + "/" + name;
    if (entry.directory) {
      Leaves(*entry.directory, here, text);
      continue;
    }
    text += here + " " + std::to_string(entry.data.bytes.size()) + " cp" +
            std::to_string(entry.data.codePage) + " " + entry.data.bytes.substr(0, 12) + "\n";
  }
}

}  // namespace

std::string BuildImage(const ImageLayout& layout) {
  const size_t optionalSize = layout.is64 ? 240 : 224;
  const size_t table = kPeHeader + 24 + optionalSize;
  const uint32_t headers =
      AlignUp(static_cast<uint32_t>(table + 40 * (layout.sections.size() + 1)), kFileAlignment);
  std::vector<uint32_t> addresses;
  std::vector<std::string> contents;
  uint32_t address = kSectionAlignment;
  for (const SectionLayout& section : layout.sections) {
    addresses.push_back(address);
    contents.push_back(section.resources ? SerializeResourceSection(*section.resources, address)
                                         : section.data);
    address = AlignUp(address + static_cast<uint32_t>(contents.back().size()), kSectionAlignment);
  }
  const uint32_t imageSize = address;

  std::string image(headers, '\0');
  image.replace(0, 2, "MZ");
  WriteU32(image, 0x3C, kPeHeader);
  image.replace(kPeHeader, 4, std::string("PE\0\0", 4));
  WriteU16(image, kPeHeader + 4, layout.is64 ? 0x8664 : 0x14C);
  WriteU16(image, kPeHeader + 6, static_cast<uint16_t>(layout.sections.size()));
  WriteU16(image, kPeHeader + 20, static_cast<uint16_t>(optionalSize));
  WriteU16(image, kPeHeader + 22, layout.is64 ? 0x22 : 0x102);
  const size_t optional = kPeHeader + 24;
  WriteU16(image, optional, layout.is64 ? 0x20B : 0x10B);
  WriteU32(image, optional + 16, kSectionAlignment);  // entry point
  WriteU32(image, optional + 32, kSectionAlignment);
  WriteU32(image, optional + 36, kFileAlignment);
  WriteU16(image, optional + 48, 4);  // subsystem version
  WriteU32(image, optional + 56, imageSize);
  WriteU32(image, optional + 60, headers);
  WriteU16(image, optional + 68, 3);  // console
  const size_t directories = optional + (layout.is64 ? 112 : 96);
  WriteU32(image, directories - 4, 16);
  for (const DirectoryLayout& directory : layout.directories) {
    WriteU32(image, directories + directory.index * 8,
             addresses[directory.section] + directory.offset);
    WriteU32(image, directories + directory.index * 8 + 4, directory.size);
  }
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    size_t at = table + 40 * i;
    image.replace(at, layout.sections[i].name.size(), layout.sections[i].name);
    uint32_t rawSize = AlignUp(static_cast<uint32_t>(contents[i].size()), kFileAlignment);
    WriteU32(image, at + 8, static_cast<uint32_t>(contents[i].size()));
    WriteU32(image, at + 12, addresses[i]);
    WriteU32(image, at + 16, rawSize);
    WriteU32(image, at + 20, static_cast<uint32_t>(image.size()));
    WriteU32(image, at + 36, layout.sections[i].characteristics);
    image += contents[i];
    image.append(rawSize - contents[i].size(), '\0');
  }
  if (layout.bytesAfterSectionTable) image[table + 40 * layout.sections.size() + 3] = '\x01';
  if (layout.signed_) {
    WriteU32(image, directories + 4 * 8, static_cast<uint32_t>(image.size()));
    WriteU32(image, directories + 4 * 8 + 4, static_cast<uint32_t>(layout.overlay.size()));
  }
  image += layout.overlay;
  WriteU32(image, optional + 64, PeChecksum(image, optional + 64));
  return image;
}

uint32_t Field32(const std::string& image, size_t at) { return ReadU32(image, at); }

size_t OptionalHeader(const std::string& image) { return ReadU32(image, 0x3C) + 24; }

std::vector<SectionView> Sections(const std::string& image) {
  size_t pe = ReadU32(image, 0x3C);
  size_t table = pe + 24 + ReadU16(image, pe + 20);
  std::vector<SectionView> sections;
  for (size_t i = 0; i < ReadU16(image, pe + 6); ++i) {
    size_t at = table + 40 * i;
    std::string name = image.substr(at, 8);
    name.resize(name.find('\0') == std::string::npos ? 8 : name.find('\0'));
    sections.push_back({name, ReadU32(image, at + 8), ReadU32(image, at + 12),
                        ReadU32(image, at + 16), ReadU32(image, at + 20), ReadU32(image, at + 36)});
  }
  return sections;
}

std::pair<uint32_t, uint32_t> Directory(const std::string& image, uint32_t index) {
  size_t optional = OptionalHeader(image);
  size_t directories = optional + (ReadU16(image, optional) == 0x20B ? 112 : 96);
  return {ReadU32(image, directories + index * 8), ReadU32(image, directories + index * 8 + 4)};
}

std::string RawData(const std::string& image, const SectionView& section) {
  return image.substr(section.rawPointer, section.virtualSize);
}

std::string TreeText(const ResourceDirectory& root) {
  std::string text;
  Leaves(root, "", text);
  return text;
}

}  // namespace test_pe
