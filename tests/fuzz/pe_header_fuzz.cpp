// The launcher's check of a runtime library's PE header. Input: the file's bytes.
#include "fuzz_input.h"
#include "runtime/pe_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!HasDosHeader(data, size)) return 0;
  size_t offset = 0;
  if (!FindNtHeaders(data, size, offset)) return 0;
  // The signature and the file header lie inside the file.
  FUZZ_CHECK(offset + 24 <= size);
  // A machine type is read only behind the signature.
  uint16_t machine = 0;
  bool signed_ = HasNtHeadersAt(data, size, offset);
  FUZZ_CHECK(ReadMachineType(data, size, offset, machine) == signed_);
  if (signed_) FUZZ_CHECK(machine == (data[offset + 4] | data[offset + 5] << 8));
  return 0;
}
