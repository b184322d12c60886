// Resources carried by the executable itself.
#pragma once

#include <string_view>

namespace os {

// The string-table block with this number (length-prefixed UTF-16 texts), found with the
// language-neutral lookup; empty when the executable has no such block.
std::u16string_view StringTableBlock(unsigned blockNumber);

}  // namespace os
