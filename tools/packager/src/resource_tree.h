// The resource tree of a PE image, read from the bytes of its resource section and written
// back into a new one.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/text.h"

struct ResourceName {
  bool isNumber = true;
  uint16_t number = 0;
  Text text;
};

struct ResourceData {
  ByteString bytes;
  uint32_t codePage = 0;
  uint32_t reserved = 0;
};

struct ResourceDirectory;

// A subdirectory, or a leaf with data.
struct ResourceEntry {
  ResourceName name;
  std::unique_ptr<ResourceDirectory> directory;
  ResourceData data;
};

struct ResourceDirectory {
  uint32_t characteristics = 0;
  uint32_t timeDateStamp = 0;
  uint16_t majorVersion = 0;
  uint16_t minorVersion = 0;
  std::vector<ResourceEntry> entries;
};

// `section` holds the section's bytes, which the image maps at `sectionRva`. False, with the
// reason, for a tree that points outside the section or back into itself.
bool ParseResourceSection(std::string_view section, uint32_t sectionRva, ResourceDirectory& root,
                          Text& error);
// The section bytes for a tree mapped at `sectionRva`: tables, data entries, names, then data.
ByteString SerializeResourceSection(const ResourceDirectory& root, uint32_t sectionRva);

// Makes `bytes` the only language of resource type/number: every other language of it goes,
// so that no reader's language preference can find a stale copy.
void SetResource(ResourceDirectory& root, uint16_t type, uint16_t number, uint16_t language,
                 ByteString bytes);
// The resource type/number in the neutral language, else in its first language; null when
// absent.
const ResourceData* FindResourceData(const ResourceDirectory& root, uint16_t type, uint16_t number);
