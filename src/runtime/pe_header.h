// Where a Portable Executable's NT headers and machine type lie in the bytes of a whole file,
// checked against the file's size before anything is read.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the DOS header keeps the offset of the NT headers.
constexpr size_t kNtHeadersOffsetField = 0x3C;

// True when the file is at least a DOS header long and starts with the letters MZ.
bool HasDosHeader(const uint8_t* file, size_t size);

// True when the file starts with the letters MZ and the NT headers that its DOS header names
// (signature and file header) lie wholly inside the file; `offset` is then where they start.
bool FindNtHeaders(const uint8_t* file, size_t size, size_t& offset);

// True when NT headers (signature and file header) lie wholly inside the file at `offset` and
// start with the signature "PE\0\0".
bool HasNtHeadersAt(const uint8_t* file, size_t size, uint64_t offset);

// The machine type of the NT headers at `offset`: false unless they lie wholly inside the
// file and start with the signature "PE\0\0".
bool ReadMachineType(const uint8_t* file, size_t size, size_t offset, uint16_t& machine);
