// Portable Executable header offsets and the machine type, read only inside the file.
#include "runtime/pe_header.h"

#include <string_view>

#include "core/little_endian.h"

namespace {

constexpr uint16_t kDosSignature = 0x5A4D;   // "MZ"
constexpr uint32_t kNtSignature = 0x00004550;  // "PE\0\0"
constexpr size_t kDosHeaderSize = 64;
// The signature and the file header, whose first field is the machine type.
constexpr size_t kSignatureSize = 4;
constexpr size_t kNtHeadersMinimum = kSignatureSize + 20;

std::string_view Bytes(const uint8_t* file, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(file), size);
}

// Written so that no sum can wrap around, whatever the offset.
bool FitsNtHeaders(size_t size, uint64_t offset) {
  return size >= kNtHeadersMinimum && offset <= size - kNtHeadersMinimum;
}

}  // namespace

bool HasDosHeader(const uint8_t* file, size_t size) {
  return size >= kDosHeaderSize && ReadU16(Bytes(file, size), 0) == kDosSignature;
}

bool FindNtHeaders(const uint8_t* file, size_t size, size_t& offset) {
  if (!HasDosHeader(file, size)) return false;
  // The field is signed in the DOS header; a negative value points before the file.
  int32_t named = static_cast<int32_t>(ReadU32(Bytes(file, size), kNtHeadersOffsetField));
  if (named < 0 || !FitsNtHeaders(size, static_cast<uint64_t>(named))) return false;
  offset = static_cast<size_t>(named);
  return true;
}

bool HasNtHeadersAt(const uint8_t* file, size_t size, uint64_t offset) {
  return FitsNtHeaders(size, offset) &&
         ReadU32(Bytes(file, size), static_cast<size_t>(offset)) == kNtSignature;
}

bool ReadMachineType(const uint8_t* file, size_t size, size_t offset, uint16_t& machine) {
  if (!HasNtHeadersAt(file, size, offset)) return false;
  machine = ReadU16(Bytes(file, size), offset + kSignatureSize);
  return true;
}
