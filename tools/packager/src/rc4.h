// RC4 stream cipher: enciphering and deciphering are one and the same operation.
#pragma once

#include <string>
#include <string_view>

// Applies the key stream of `key` (1 to 256 bytes) to the bytes in place.
void Rc4Apply(std::string_view key, std::string& bytes);
