// The link colours a user may have set for the browser: "red,green,blue" texts.
#pragma once

#include <cstdint>
#include <string_view>

// Reads a colour value as the registry stored it (its UTF-16 units, terminating NUL included)
// into a COLORREF-style value (red in the low byte); false when the value is unusable: longer
// than 12 units, not NUL-terminated, without two commas, with nothing after the second comma,
// or with a component of -1.
bool ParseAnchorColour(std::u16string_view stored, uint32_t& colour);
