// Reading and writing the resource directory tables of a PE image.
#include "resource_tree.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/little_endian.h"

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr size_t kDirectorySize = 16;
constexpr size_t kEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr size_t kDataAlignment = 8;
// The loader walks three levels (type, name, language); anything far deeper is not a tree
// any linker writes, and the limit keeps the walk's recursion shallow.
constexpr int kMaxDepth = 8;
// Data belongs below a type and a name; the loader finds nothing higher up, and a leaf there
// could be dropped unseen where the settings' type or name directory goes.
constexpr int kLanguageLevel = 3;

size_t AlignUp(size_t value, size_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

class TreeReader {
 public:
  TreeReader(std::string_view section, uint32_t sectionRva)
      : section_(section), sectionRva_(sectionRva), dataLeft_(section.size()) {}

  bool ReadDirectory(size_t offset, ResourceDirectory& directory, int depth = 1) {
    if (depth > kMaxDepth) return Fail(u"the resource tree is nested too deeply");
    if (!visited_.insert(offset).second) return Fail(u"a resource directory is reached twice");
    if (!Fits(offset, kDirectorySize)) {
      return Fail(u"a resource directory lies outside the section");
    }
    directory.characteristics = ReadU32(section_, offset);
    directory.timeDateStamp = ReadU32(section_, offset + 4);
    directory.majorVersion = ReadU16(section_, offset + 8);
    directory.minorVersion = ReadU16(section_, offset + 10);
    size_t count = size_t{ReadU16(section_, offset + 12)} + ReadU16(section_, offset + 14);
    if (!Fits(offset + kDirectorySize, count * kEntrySize)) {
      return Fail(u"a resource directory's entries lie outside the section");
    }
    for (size_t i = 0; i < count; ++i) {
      size_t at = offset + kDirectorySize + i * kEntrySize;
      ResourceEntry entry;
      if (!ReadName(ReadU32(section_, at), entry.name)) return false;
      uint32_t target = ReadU32(section_, at + 4);
      if (target & kHighBit) {
        entry.directory = std::make_unique<ResourceDirectory>();
        if (!ReadDirectory(target & ~kHighBit, *entry.directory, depth + 1)) return false;
      } else if (!ReadData(target, entry.data)) {
        return false;
      } else if (depth < kLanguageLevel) {
        return Fail(u"resource data lies above the language level of the tree");
      }
      directory.entries.push_back(std::move(entry));
    }
    return true;
  }

  const Text& Error() const { return error_; }

 private:
  bool Fits(size_t offset, size_t size) const {
    return offset <= section_.size() && size <= section_.size() - offset;
  }

  bool Fail(const char16_t* error) {
    error_ = error;
    return false;
  }

  bool ReadName(uint32_t field, ResourceName& name) {
    if (!(field & kHighBit)) {
      name.isNumber = true;
      name.number = static_cast<uint16_t>(field);
      return true;
    }
    size_t offset = field & ~kHighBit;
    if (!Fits(offset, 2)) return Fail(u"a resource name lies outside the section");
    size_t length = ReadU16(section_, offset);
    if (!Fits(offset + 2, length * 2)) return Fail(u"a resource name lies outside the section");
    name.isNumber = false;
    for (size_t i = 0; i < length; ++i) {
      name.text.push_back(static_cast<char16_t>(ReadU16(section_, offset + 2 + i * 2)));
    }
    return true;
  }

  bool ReadData(size_t offset, ResourceData& data) {
    if (!Fits(offset, kDataEntrySize)) {
      return Fail(u"a resource data entry lies outside the section");
    }
    uint32_t rva = ReadU32(section_, offset);
    uint32_t size = ReadU32(section_, offset + 4);
    data.codePage = ReadU32(section_, offset + 8);
    data.reserved = ReadU32(section_, offset + 12);
    if (rva < sectionRva_ || !Fits(rva - sectionRva_, size)) {
      return Fail(u"resource data lies outside the resource section");
    }
    // Entries of an honest tree have blocks of their own, which the section holds; entries
    // that share one block could make the copies take any amount of memory.
    if (size > dataLeft_) {
      return Fail(u"the resource data adds up to more than the section holds: entries share it");
    }
    dataLeft_ -= size;
    data.bytes.assign(section_.substr(rva - sectionRva_, size));
    return true;
  }

  std::string_view section_;
  uint32_t sectionRva_;
  std::set<size_t> visited_;
  size_t dataLeft_;
  Text error_;
};

// Where every table, name and data block of the tree goes in the new section.
struct Layout {
  std::vector<const ResourceDirectory*> directories;  // breadth first, the root first
  std::map<const ResourceDirectory*, size_t> directoryOffsets;
  std::vector<const ResourceEntry*> leaves;
  std::map<const ResourceEntry*, size_t> dataEntryOffsets;
  std::map<const ResourceEntry*, size_t> nameOffsets;
  std::map<const ResourceEntry*, size_t> dataOffsets;
  size_t size = 0;
};

// The loader expects named entries before numbered ones; the order within each is kept.
std::vector<const ResourceEntry*> OrderedEntries(const ResourceDirectory& directory) {
  std::vector<const ResourceEntry*> ordered;
  for (const ResourceEntry& entry : directory.entries) {
    if (!entry.name.isNumber) ordered.push_back(&entry);
  }
  for (const ResourceEntry& entry : directory.entries) {
    if (entry.name.isNumber) ordered.push_back(&entry);
  }
  return ordered;
}

Layout PlanLayout(const ResourceDirectory& root) {
  Layout layout;
  layout.directories.push_back(&root);
  size_t offset = 0;
  std::vector<const ResourceEntry*> named;
  for (size_t i = 0; i < layout.directories.size(); ++i) {
    const ResourceDirectory* directory = layout.directories[i];
    layout.directoryOffsets[directory] = offset;
    offset += kDirectorySize + directory->entries.size() * kEntrySize;
    for (const ResourceEntry* entry : OrderedEntries(*directory)) {
      if (!entry->name.isNumber) named.push_back(entry);
      if (entry->directory) {
        layout.directories.push_back(entry->directory.get());
      } else {
        layout.leaves.push_back(entry);
      }
    }
  }
  for (const ResourceEntry* leaf : layout.leaves) {
    layout.dataEntryOffsets[leaf] = offset;
    offset += kDataEntrySize;
  }
  for (const ResourceEntry* entry : named) {
    layout.nameOffsets[entry] = offset;
    offset += 2 + entry->name.text.size() * 2;
  }
  for (const ResourceEntry* leaf : layout.leaves) {
    offset = AlignUp(offset, kDataAlignment);
    layout.dataOffsets[leaf] = offset;
    offset += leaf->data.bytes.size();
  }
  layout.size = offset;
  return layout;
}

ResourceDirectory* FindOrAddDirectory(ResourceDirectory& parent, uint16_t number) {
  auto& entries = parent.entries;
  auto at = std::find_if(entries.begin(), entries.end(), [&](const ResourceEntry& entry) {
    return entry.name.isNumber && entry.name.number >= number;
  });
  if (at == entries.end() || at->name.number != number || !at->directory) {
    if (at != entries.end() && at->name.number == number) at = entries.erase(at);
    ResourceEntry entry;
    entry.name.number = number;
    entry.directory = std::make_unique<ResourceDirectory>();
    at = entries.insert(at, std::move(entry));
  }
  return at->directory.get();
}

const ResourceDirectory* FindDirectory(const ResourceDirectory& parent, uint16_t number) {
  for (const ResourceEntry& entry : parent.entries) {
    if (entry.name.isNumber && entry.name.number == number) return entry.directory.get();
  }
  return nullptr;
}

}  // namespace

bool ParseResourceSection(std::string_view section, uint32_t sectionRva, ResourceDirectory& root,
                          Text& error) {
  TreeReader reader(section, sectionRva);
  if (reader.ReadDirectory(0, root)) return true;
  error = reader.Error();
  return false;
}

ByteString SerializeResourceSection(const ResourceDirectory& root, uint32_t sectionRva) {
  Layout layout = PlanLayout(root);
  ByteString bytes(layout.size, '\0');
  for (const ResourceDirectory* directory : layout.directories) {
    size_t at = layout.directoryOffsets[directory];
    std::vector<const ResourceEntry*> ordered = OrderedEntries(*directory);
    size_t namedCount = static_cast<size_t>(
        std::count_if(ordered.begin(), ordered.end(),
                      [](const ResourceEntry* entry) { return !entry->name.isNumber; }));
    WriteU32(bytes, at, directory->characteristics);
    WriteU32(bytes, at + 4, directory->timeDateStamp);
    WriteU16(bytes, at + 8, directory->majorVersion);
    WriteU16(bytes, at + 10, directory->minorVersion);
    WriteU16(bytes, at + 12, static_cast<uint16_t>(namedCount));
    WriteU16(bytes, at + 14, static_cast<uint16_t>(ordered.size() - namedCount));
    at += kDirectorySize;
    for (const ResourceEntry* entry : ordered) {
      uint32_t name = entry->name.isNumber
                          ? entry->name.number
                          : kHighBit | static_cast<uint32_t>(layout.nameOffsets[entry]);
      uint32_t target =
          entry->directory
              ? kHighBit | static_cast<uint32_t>(layout.directoryOffsets[entry->directory.get()])
              : static_cast<uint32_t>(layout.dataEntryOffsets[entry]);
      WriteU32(bytes, at, name);
      WriteU32(bytes, at + 4, target);
      at += kEntrySize;
    }
  }
  for (const auto& [entry, at] : layout.nameOffsets) {
    WriteU16(bytes, at, static_cast<uint16_t>(entry->name.text.size()));
    for (size_t i = 0; i < entry->name.text.size(); ++i) {
      WriteU16(bytes, at + 2 + i * 2, entry->name.text[i]);
    }
  }
  for (const ResourceEntry* leaf : layout.leaves) {
    size_t at = layout.dataEntryOffsets[leaf];
    size_t dataAt = layout.dataOffsets[leaf];
    WriteU32(bytes, at, sectionRva + static_cast<uint32_t>(dataAt));
    WriteU32(bytes, at + 4, static_cast<uint32_t>(leaf->data.bytes.size()));
    WriteU32(bytes, at + 8, leaf->data.codePage);
    WriteU32(bytes, at + 12, leaf->data.reserved);
    bytes.replace(dataAt, leaf->data.bytes.size(), leaf->data.bytes);
  }
  return bytes;
}

void SetResource(ResourceDirectory& root, uint16_t type, uint16_t number, uint16_t language,
                 ByteString bytes) {
  ResourceDirectory* languages = FindOrAddDirectory(*FindOrAddDirectory(root, type), number);
  languages->entries.clear();
  ResourceEntry entry;
  entry.name.number = language;
  entry.data.bytes = std::move(bytes);
  languages->entries.push_back(std::move(entry));
}

const ResourceData* FindResourceData(const ResourceDirectory& root, uint16_t type,
                                     uint16_t number) {
  const ResourceDirectory* names = FindDirectory(root, type);
  const ResourceDirectory* languages = names ? FindDirectory(*names, number) : nullptr;
  if (!languages) return nullptr;
  const ResourceData* first = nullptr;
  for (const ResourceEntry& entry : languages->entries) {
    if (entry.directory) continue;
    if (entry.name.isNumber && entry.name.number == 0) return &entry.data;
    if (!first) first = &entry.data;
  }
  return first;
}
