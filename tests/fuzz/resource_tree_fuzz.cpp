// The packaging tool's reading and writing of a resource section. Input: the section bytes.
#include "fuzz_input.h"
#include "resource_leaves.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr uint32_t kRva = 0x3000;
  ByteString section = fuzz::Bytes(data, size);
  ResourceDirectory root;
  Text error;
  if (!ParseResourceSection(section, kRva, root, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  // What is read is written again whole, and reads back the same at any address.
  ByteString written = SerializeResourceSection(root, kRva + 0x1000);
  ResourceDirectory again;
  FUZZ_CHECK(ParseResourceSection(written, kRva + 0x1000, again, error));
  FUZZ_CHECK(fuzz::Leaves(again) == fuzz::Leaves(root));
  FUZZ_CHECK(SerializeResourceSection(again, kRva + 0x1000) == written);

  SetResource(root, 10, 8000, 0, "settings");
  const ResourceData* found = FindResourceData(root, 10, 8000);
  FUZZ_CHECK(found && found->bytes == "settings");
  return 0;
}
