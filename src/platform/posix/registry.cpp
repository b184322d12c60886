// POSIX side of the registry reads: there is no registry, so no key opens and no runtime is
// registered.
#include "platform/registry.h"

namespace os {

struct MachineKey::Handle {};

MachineKey::MachineKey(const Text&, RegistryView view) : handle_(new Handle), view_(view) {}

MachineKey::MachineKey(const MachineKey& parent, const Text&)
    : handle_(new Handle), view_(parent.view_) {}

MachineKey::~MachineKey() = default;

TextList MachineKey::SubKeyNames() const { return TextList(); }

bool MachineKey::ValueBytes(const Text&, std::vector<uint8_t>&) const { return false; }

}  // namespace os
