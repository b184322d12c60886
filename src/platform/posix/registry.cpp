// POSIX side of the registry reads: there is no registry, so no key opens and no runtime is
// registered.
#include "platform/registry.h"

namespace os {

struct RegistryReader::Handle {};

RegistryReader::RegistryReader(RegistryHive, const Text&, RegistryView) : handle_(new Handle) {}

RegistryReader::~RegistryReader() = default;

bool RegistryReader::IsOpen() const { return false; }

TextList RegistryReader::SubKeyNames() const { return TextList(); }

bool RegistryReader::ValueBytes(const Text&, std::vector<uint8_t>&) const { return false; }

bool RegistryReader::ValueNumber(const Text&, uint32_t&) const { return false; }

}  // namespace os
