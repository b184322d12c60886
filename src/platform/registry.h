// Reading the runtime keys of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, in the process's own
// registry view or the other one. Win32 and POSIX implementations (POSIX has no registry: no
// key ever opens).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/text.h"

namespace os {

// Machine-wide installs register below HKEY_LOCAL_MACHINE, per-user ones below
// HKEY_CURRENT_USER.
enum class RegistryHive { LocalMachine, CurrentUser };

// `Other` is the half of the registry this build does not see by default: the 64-bit view
// for the 32-bit launcher, the 32-bit view for its 64-bit companion.
enum class RegistryView { Default, Other };

// A key opened for reading, closed when it goes; one that cannot be opened reads as empty.
class RegistryReader {
 public:
  RegistryReader(RegistryHive hive, const Text& path, RegistryView view);
  ~RegistryReader();
  RegistryReader(const RegistryReader&) = delete;
  RegistryReader& operator=(const RegistryReader&) = delete;

  bool IsOpen() const;
  // Names of the sub-keys in enumeration order, read until the first error.
  TextList SubKeyNames() const;
  // The raw bytes of a value, whatever its type, nothing expanded; false when the value
  // cannot be read or is empty.
  bool ValueBytes(const Text& name, std::vector<uint8_t>& bytes) const;
  // A value of the 32-bit number type; false for any other type or size.
  bool ValueNumber(const Text& name, uint32_t& number) const;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace os
