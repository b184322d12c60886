// Reading the runtime keys of HKEY_LOCAL_MACHINE, in the process's own registry view or the
// other one. Win32 and POSIX implementations (POSIX has no registry and finds nothing).
#pragma once

#include <cstdint>
#include <vector>

#include "core/text.h"

namespace os {

// `Other` is the half of the registry this build does not see by default: the 64-bit view
// for the 32-bit launcher, the 32-bit view for its 64-bit companion.
enum class RegistryView { Default, Other };

// Names of the sub-keys of a HKEY_LOCAL_MACHINE key, in enumeration order, read until the
// first error; empty when the key cannot be opened.
TextList MachineSubKeyNames(const Text& path, RegistryView view);

// The raw bytes of a value of a HKEY_LOCAL_MACHINE key, whatever its type, nothing expanded;
// false when the key or the value cannot be read or the value is empty.
bool MachineValueBytes(const Text& path, RegistryView view, const Text& value,
                       std::vector<uint8_t>& bytes);

}  // namespace os
