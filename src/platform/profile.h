// Reading and writing keys of INI files with the observable rules of the Windows
// private-profile functions.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace os {

// Copies the value of section/key (empty when absent) into buffer, cut to size - 1
// characters and terminated; returns the number of characters copied.
uint32_t ReadProfileString(const Text& section, const Text& key, const Text& path,
                           char16_t* buffer, uint32_t size);

// 0 on success, otherwise the error code.
uint32_t WriteProfileString(const Text& section, const Text& key, const Text& value,
                            const Text& path);

}  // namespace os
