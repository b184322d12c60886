// POSIX side of the registry reads: there is no registry, so no runtime is registered.
#include "platform/registry.h"

namespace os {

TextList MachineSubKeyNames(const Text&, RegistryView) { return TextList(); }

bool MachineValueBytes(const Text&, RegistryView, const Text&, std::vector<uint8_t>&) {
  return false;
}

}  // namespace os
