// POSIX side of the registry reads: there is no registry, so no key opens and no runtime is
// registered.
#include "platform/registry.h"

namespace os {

struct MachineKey::Handle {};

MachineKey::MachineKey(const Text&, RegistryView) : handle_(new Handle) {}

MachineKey::~MachineKey() = default;

TextList MachineKey::SubKeyNames() const { return TextList(); }

bool MachineKey::ValueBytes(const Text&, std::vector<uint8_t>&) const { return false; }

}  // namespace os
