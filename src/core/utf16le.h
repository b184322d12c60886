// UTF-16LE byte buffers as text and back: the form settings texts take inside resources.
#pragma once

#include <string_view>

#include "core/text.h"

// Each pair of bytes is one little-endian code unit; an odd last byte has no partner and is
// dropped.
Text TextFromUtf16Le(std::string_view bytes);
ByteString Utf16LeBytes(const Text& text);
