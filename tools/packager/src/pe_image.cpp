// Reading a PE image's layout and writing it again with a new resource section.
#include "pe_image.h"

#include "core/little_endian.h"
#include "runtime/pe_header.h"

namespace {

constexpr size_t kSectionHeaderSize = 40;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kSecurityDirectory = 4;
constexpr uint32_t kRelocationDirectory = 5;
constexpr uint32_t kDebugDirectory = 6;
constexpr uint32_t kDiscardable = 0x02000000;
constexpr uint32_t kInitializedData = 0x00000040;
constexpr uint32_t kResourceSectionFlags = kInitializedData | 0x40000000;  // and readable

// The directories the format defines; slots beyond them name nothing this tool knows.
const char16_t* const kDirectoryNames[] = {u"export table",
                                           u"import table",
                                           u"resource table",
                                           u"exception table",
                                           u"certificate table",
                                           u"base relocation table",
                                           u"debug directory",
                                           u"architecture data",
                                           u"global pointer",
                                           u"TLS table",
                                           u"load configuration table",
                                           u"bound import table",
                                           u"import address table",
                                           u"delay import table",
                                           u"runtime header",
                                           u"reserved directory"};

constexpr uint32_t kDefinedDirectories = sizeof(kDirectoryNames) / sizeof(kDirectoryNames[0]);
// Below a page the loader maps the file as it lies, so both alignments must agree.
constexpr uint32_t kPageSize = 0x1000;

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

uint64_t AlignUp(uint64_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

Text SectionName(const PeSection& section) {
  Text name;
  for (char c : section.name) {
    if (c == '\0') break;
    name.push_back(static_cast<unsigned char>(c));
  }
  return u"section " + name;
}

}  // namespace

uint32_t PeImage::Field32(size_t at) const { return ReadU32(bytes_, at); }

uint32_t PeImage::SectionExtent(const PeSection& section) const {
  return section.virtualSize != 0 ? section.virtualSize : section.rawSize;
}

bool PeImage::Parse(ByteString bytes, Text& error) {
  bytes_ = std::move(bytes);
  auto fail = [&](const char16_t* reason) {
    error = reason;
    return false;
  };
  const auto* file = reinterpret_cast<const uint8_t*>(bytes_.data());
  if (!HasDosHeader(file, bytes_.size())) return fail(u"not a PE executable (no MZ header)");
  // Read as unsigned, where the launcher's check of a runtime library refuses a negative
  // value: an offset of 2 GiB or more can only pass in a file larger than that, and every
  // read below stays inside the file all the same.
  peHeader_ = Field32(kNtHeadersOffsetField);
  if (!HasNtHeadersAt(file, bytes_.size(), peHeader_)) {
    return fail(u"not a PE executable (no PE header)");
  }
  size_t sectionCount = ReadU16(bytes_, peHeader_ + 6);
  size_t optionalSize = ReadU16(bytes_, peHeader_ + 20);
  optionalHeader_ = peHeader_ + 24;
  sectionTable_ = optionalHeader_ + optionalSize;
  if (sectionTable_ + sectionCount * kSectionHeaderSize > bytes_.size()) {
    return fail(u"the PE headers are cut short");
  }
  uint16_t magic = optionalSize >= 2 ? ReadU16(bytes_, optionalHeader_) : 0;
  size_t directoryStart = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;
  if (directoryStart == 0 || optionalSize < directoryStart) {
    return fail(u"not a PE executable (unknown optional header)");
  }
  directories_ = optionalHeader_ + directoryStart;
  directoryCount_ = Field32(directories_ - 4);
  if (directoryCount_ > (optionalSize - directoryStart) / 8) {
    directoryCount_ = static_cast<uint32_t>((optionalSize - directoryStart) / 8);
  }
  if (directoryCount_ > kDefinedDirectories) directoryCount_ = kDefinedDirectories;
  if (directoryCount_ <= kResourceDirectory) {
    return fail(u"the PE image has no resource table slot");
  }
  sectionAlignment_ = Field32(optionalHeader_ + 32);
  fileAlignment_ = Field32(optionalHeader_ + 36);
  sizeOfHeaders_ = Field32(optionalHeader_ + 60);
  if (!IsPowerOfTwo(fileAlignment_) || !IsPowerOfTwo(sectionAlignment_) ||
      sectionAlignment_ < fileAlignment_ ||
      (sectionAlignment_ < kPageSize && sectionAlignment_ != fileAlignment_)) {
    return fail(u"the PE image has unusable alignments");
  }
  if (sizeOfHeaders_ < sectionTable_ + sectionCount * kSectionHeaderSize ||
      sizeOfHeaders_ > bytes_.size()) {
    return fail(u"the PE headers are cut short");
  }

  sections_.clear();
  resourceIndex_ = -1;
  uint32_t resourceRva = Field32(directories_ + kResourceDirectory * 8);
  for (size_t i = 0; i < sectionCount; ++i) {
    size_t at = SectionHeader(i);
    PeSection section;
    section.name = bytes_.substr(at, 8);
    section.virtualSize = Field32(at + 8);
    section.virtualAddress = Field32(at + 12);
    section.rawSize = Field32(at + 16);
    section.rawPointer = Field32(at + 20);
    section.characteristics = Field32(at + 36);
    if (section.rawSize != 0 && uint64_t{section.rawPointer} + section.rawSize > bytes_.size()) {
      return fail(u"the PE image is cut short: a section's data lies beyond the end of the file");
    }
    // New resources would be written over the headers, or mapped over them.
    if ((section.rawSize != 0 && section.rawPointer < sizeOfHeaders_) ||
        section.virtualAddress < sizeOfHeaders_) {
      return fail(u"a section lies inside the PE headers");
    }
    // Addresses off the alignment would give the rewritten image an unaligned size.
    if (section.virtualAddress % sectionAlignment_ != 0) {
      return fail(u"a section does not begin on the section alignment");
    }
    if (!sections_.empty() &&
        section.virtualAddress <
            sections_.back().virtualAddress + uint64_t{SectionExtent(sections_.back())}) {
      return fail(u"the PE sections overlap or are out of order");
    }
    if (resourceRva != 0 && section.virtualAddress == resourceRva) {
      resourceIndex_ = static_cast<int>(i);
    }
    sections_.push_back(section);
  }
  if (sections_.empty()) return fail(u"the PE image has no sections");
  if (resourceRva != 0 && resourceIndex_ < 0) {
    return fail(u"the resource table does not begin a section of its own");
  }
  if (resourceIndex_ >= 0 && sections_[resourceIndex_].rawSize == 0) {
    return fail(u"the resource section holds no data");
  }
  return true;
}

bool PeImage::ResourceSection(std::string_view& bytes, uint32_t& rva) const {
  if (resourceIndex_ < 0) return false;
  const PeSection& section = sections_[resourceIndex_];
  bytes = std::string_view(bytes_).substr(section.rawPointer, section.rawSize);
  rva = section.virtualAddress;
  return true;
}

bool PeImage::RvaToOffset(uint32_t rva, size_t& offset) const {
  for (const PeSection& section : sections_) {
    if (rva >= section.virtualAddress && rva - section.virtualAddress < section.rawSize) {
      offset = section.rawPointer + (rva - section.virtualAddress);
      return true;
    }
  }
  return false;
}

// Debug records point at their data by address and by file offset; data behind the
// resources would move without them.
bool PeImage::CheckDebugData(uint32_t startVa, uint32_t startRaw, Text& error) const {
  if (directoryCount_ <= kDebugDirectory) return true;
  uint32_t rva = Field32(directories_ + kDebugDirectory * 8);
  uint32_t size = Field32(directories_ + kDebugDirectory * 8 + 4);
  size_t offset = 0;
  if (rva == 0 || size == 0) return true;
  if (!RvaToOffset(rva, offset) || offset + size > bytes_.size()) {
    error = u"the debug directory lies outside the sections";
    return false;
  }
  for (size_t at = offset; at + 28 <= offset + size; at += 28) {
    uint32_t address = Field32(at + 20);
    uint32_t pointer = Field32(at + 24);
    if ((address != 0 && address >= startVa) || (pointer != 0 && pointer >= startRaw)) {
      error = u"debug data lies behind the resources and would move; strip the executable first";
      return false;
    }
  }
  return true;
}

bool PeImage::WithResources(const ResourceDirectory& root, ByteString& result, Text& error) const {
  const size_t count = sections_.size();
  const bool inserting = resourceIndex_ < 0;
  // A new resource section goes in front of the discardable sections at the end (the
  // relocations); those, and whatever follows an existing resource section, have to move.
  size_t index = static_cast<size_t>(resourceIndex_);
  if (inserting) {
    index = count;
    while (index > 0 && (sections_[index - 1].characteristics & kDiscardable)) --index;
  }
  const size_t firstMoved = inserting ? index : index + 1;
  for (size_t i = firstMoved; i < count; ++i) {
    if (!(sections_[i].characteristics & kDiscardable)) {
      error = SectionName(sections_[i]) + u" follows the resources and cannot be moved";
      return false;
    }
  }

  uint64_t dataEnd = sizeOfHeaders_;
  for (const PeSection& section : sections_) {
    if (section.rawSize != 0 && section.rawPointer + uint64_t{section.rawSize} > dataEnd) {
      dataEnd = section.rawPointer + uint64_t{section.rawSize};
    }
  }
  const PeSection& last = sections_.back();
  const uint64_t oldImageEnd =
      AlignUp(last.virtualAddress + uint64_t{SectionExtent(last)}, sectionAlignment_);
  const PeSection* resources = inserting ? nullptr : &sections_[index];
  uint64_t startVa = 0;
  uint64_t oldVaSpan = 0;
  uint64_t startRaw = 0;
  uint64_t oldRawSpan = 0;
  if (resources) {
    startVa = resources->virtualAddress;
    oldVaSpan = index + 1 < count ? sections_[index + 1].virtualAddress - startVa
                                  : AlignUp(SectionExtent(*resources), sectionAlignment_);
    startRaw = resources->rawPointer;
    oldRawSpan = resources->rawSize;
  } else {
    startVa = index < count ? sections_[index].virtualAddress : oldImageEnd;
    startRaw = dataEnd;
    for (size_t i = index; i < count; ++i) {
      if (sections_[i].rawSize != 0) {
        startRaw = sections_[i].rawPointer;
        break;
      }
    }
  }
  const uint64_t oldRawEnd = startRaw + oldRawSpan;

  // The bytes behind the old resource data move as one block, so they have to lie there and
  // keep their alignment.
  bool aligned = startRaw % fileAlignment_ == 0 && oldRawSpan % fileAlignment_ == 0;
  for (size_t i = 0; i < count && aligned; ++i) {
    const PeSection& section = sections_[i];
    if (section.rawSize == 0 || i == index) continue;
    aligned = i < firstMoved ? section.rawPointer + uint64_t{section.rawSize} <= startRaw
                             : section.rawPointer >= oldRawEnd;
  }
  if (!aligned) {
    error = u"the section data is not laid out in order on the file alignment";
    return false;
  }
  if (inserting) {
    size_t tableEnd = SectionHeader(count);
    bool room = tableEnd + kSectionHeaderSize <= sizeOfHeaders_;
    for (size_t at = tableEnd; room && at < tableEnd + kSectionHeaderSize; ++at) {
      room = bytes_[at] == '\0';
    }
    if (!room) {
      error = u"the headers have no room for another section";
      return false;
    }
  }

  // Every table the sections behind the resources hold would have to move with them; only
  // the relocations can (their contents are addresses of other sections), and only from
  // inside the image: moved from beyond it, their address would wrap round.
  for (uint32_t i = 0; i < directoryCount_; ++i) {
    uint32_t rva = Field32(directories_ + i * 8);
    uint32_t size = Field32(directories_ + i * 8 + 4);
    if (i == kResourceDirectory || (rva == 0 && size == 0)) continue;
    if (i == kSecurityDirectory) {
      error = u"the executable is digitally signed; embed the settings before signing it";
      return false;
    }
    if (rva + uint64_t{size} <= startVa) continue;
    if (i == kRelocationDirectory && rva >= startVa + oldVaSpan) {
      if (rva + uint64_t{size} <= oldImageEnd) continue;
      error = u"the base relocation table lies outside the image";
      return false;
    }
    error = Text(u"the ") + kDirectoryNames[i] + u" lies in or behind the resources";
    return false;
  }
  if (!CheckDebugData(static_cast<uint32_t>(startVa), static_cast<uint32_t>(startRaw), error)) {
    return false;
  }
  uint32_t symbols = Field32(peHeader_ + 12);
  if (symbols != 0 && symbols >= startRaw && symbols < oldRawEnd) {
    error = u"the symbol table lies inside the resources";
    return false;
  }
  // Moved from beyond the end of the file, its offset would wrap round.
  if (symbols > bytes_.size()) {
    error = u"the symbol table lies outside the file";
    return false;
  }

  ByteString data = SerializeResourceSection(root, static_cast<uint32_t>(startVa));
  const uint64_t newRawSpan = AlignUp(data.size(), fileAlignment_);
  const uint64_t newVaSpan = AlignUp(data.size(), sectionAlignment_);
  const int64_t rawDelta = static_cast<int64_t>(newRawSpan) - static_cast<int64_t>(oldRawSpan);
  const int64_t vaDelta = static_cast<int64_t>(newVaSpan) - static_cast<int64_t>(oldVaSpan);
  uint64_t imageEnd = inserting && index == count ? startVa + newVaSpan : oldImageEnd + vaDelta;
  if (imageEnd > 0xFFFFFFFFu || bytes_.size() + rawDelta > 0xFFFFFFFFu) {
    error = u"the resources make the image too large";
    return false;
  }

  result = bytes_.substr(0, startRaw);
  result += data;
  result.append(newRawSpan - data.size(), '\0');
  result += bytes_.substr(oldRawEnd);

  if (inserting) {
    size_t at = SectionHeader(index);
    result.insert(at, kSectionHeaderSize, '\0');
    result.erase(SectionHeader(count + 1), kSectionHeaderSize);  // the zeros it displaced
    result.replace(at, 8, ByteString(".rsrc\0\0\0", 8));
    WriteU32(result, at + 36, kResourceSectionFlags);
    WriteU16(result, peHeader_ + 6, static_cast<uint16_t>(count + 1));
  }
  size_t resourceHeader = SectionHeader(index);
  WriteU32(result, resourceHeader + 8, static_cast<uint32_t>(data.size()));
  WriteU32(result, resourceHeader + 12, static_cast<uint32_t>(startVa));
  WriteU32(result, resourceHeader + 16, static_cast<uint32_t>(newRawSpan));
  WriteU32(result, resourceHeader + 20, static_cast<uint32_t>(startRaw));
  for (size_t i = firstMoved; i < count; ++i) {
    size_t at = SectionHeader(inserting ? i + 1 : i);
    WriteU32(result, at + 12, static_cast<uint32_t>(sections_[i].virtualAddress + vaDelta));
    if (sections_[i].rawSize != 0) {
      WriteU32(result, at + 20, static_cast<uint32_t>(sections_[i].rawPointer + rawDelta));
    }
  }

  if (symbols != 0 && symbols >= oldRawEnd) {
    WriteU32(result, peHeader_ + 12, static_cast<uint32_t>(symbols + rawDelta));
  }
  uint32_t initializedData = Field32(optionalHeader_ + 8);
  WriteU32(result, optionalHeader_ + 8,
           static_cast<uint32_t>(initializedData + newRawSpan - oldRawSpan));
  WriteU32(result, optionalHeader_ + 56, static_cast<uint32_t>(imageEnd));
  WriteU32(result, directories_ + kResourceDirectory * 8, static_cast<uint32_t>(startVa));
  WriteU32(result, directories_ + kResourceDirectory * 8 + 4, static_cast<uint32_t>(data.size()));
  if (directoryCount_ > kRelocationDirectory) {
    uint32_t relocations = Field32(directories_ + kRelocationDirectory * 8);
    if (relocations >= startVa + oldVaSpan) {
      WriteU32(result, directories_ + kRelocationDirectory * 8,
               static_cast<uint32_t>(relocations + vaDelta));
    }
  }
  WriteU32(result, ChecksumOffset(), PeChecksum(result, ChecksumOffset()));
  return true;
}

uint32_t PeChecksum(std::string_view file, size_t checksumOffset) {
  auto byte = [&](size_t at) -> uint32_t {
    bool inField = at >= checksumOffset && at < checksumOffset + 4;
    return at < file.size() && !inField ? static_cast<uint8_t>(file[at]) : 0;
  };
  uint64_t sum = 0;
  for (size_t at = 0; at < file.size(); at += 2) {
    sum += byte(at) | (byte(at + 1) << 8);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum + file.size());
}
