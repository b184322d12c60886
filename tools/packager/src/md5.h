// MD5 message digest, the hash the settings cipher derives its keys from.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

using Md5Digest = std::array<uint8_t, 16>;

Md5Digest Md5(std::string_view bytes);
