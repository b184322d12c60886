// Little-endian fields in byte buffers, the byte order of every Portable Executable structure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bytes are taken as unsigned whatever the signedness of char, so a high byte never spreads
// its sign into the bits above it.
inline uint16_t ReadU16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                               (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

inline uint32_t ReadU32(std::string_view bytes, size_t at) {
  return ReadU16(bytes, at) | (static_cast<uint32_t>(ReadU16(bytes, at + 2)) << 16);
}

inline void WriteU16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

inline void WriteU32(std::string& bytes, size_t at, uint32_t value) {
  WriteU16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
  WriteU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}
