// The packaging tool's rewrite of an image with new settings resources. Input: the image.
#include "core/little_endian.h"
#include "embedding.h"
#include "fuzz_input.h"
#include "pe_image.h"
#include "resource_leaves.h"

namespace {

bool ReadTree(const PeImage& image, ResourceDirectory& root) {
  std::string_view section;
  uint32_t rva = 0;
  Text error;
  return !image.ResourceSection(section, rva) || ParseResourceSection(section, rva, root, error);
}

// Every leaf but the two settings resources, which an embedding replaces.
std::multimap<Text, ByteString> OtherLeaves(const ResourceDirectory& root) {
  std::multimap<Text, ByteString> leaves = fuzz::Leaves(root);
  for (auto at = leaves.begin(); at != leaves.end();) {
    bool settings =
        at->first.rfind(u"/#10/#8000/", 0) == 0 || at->first.rfind(u"/#10/#9000/", 0) == 0;
    at = settings ? leaves.erase(at) : std::next(at);
  }
  return leaves;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text code = u"{code}";
  const Text key = u"{8D2C37A4-0B5E-4F6A-9C3D-2E1F0A9B8C7D}";
  ByteString input = fuzz::Bytes(data, size);
  PeImage image;
  ResourceDirectory before;
  Text error;
  if (!image.Parse(input, error) || !ReadTree(image, before)) return 0;
  ByteString once;
  if (!EmbedSettings(input, u"[Application]\r\nCmd=-x\r\n", code, key, once, error)) return 0;

  // The result is an image again, holds the settings and every other resource unchanged, and
  // carries its checksum.
  PeImage rewritten;
  ResourceDirectory after;
  FUZZ_CHECK(rewritten.Parse(once, error));
  FUZZ_CHECK(ReadTree(rewritten, after));
  FUZZ_CHECK(OtherLeaves(after) == OtherLeaves(before));
  Text settings;
  FUZZ_CHECK(ReadEmbeddedSettings(once, code, settings, error));
  FUZZ_CHECK(settings == u"[Application]\r\nCmd=-x\r\n");
  FUZZ_CHECK(ReadU32(once, rewritten.ChecksumOffset()) ==
             PeChecksum(once, rewritten.ChecksumOffset()));

  // Embedding the same settings under the same key again changes nothing more.
  ByteString twice;
  FUZZ_CHECK(EmbedSettings(once, u"[Application]\r\nCmd=-x\r\n", code, key, twice, error));
  FUZZ_CHECK(twice == once);
  return 0;
}
