// A read-only mapping of a whole file, and the system's lookup of the NT headers of an image
// mapped that way. Win32 and POSIX implementations (POSIX maps nothing: its launcher loads no
// Portable Executable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/text.h"

namespace os {

// The machine type of the Portable Executable libraries this build loads in-process (x86 for
// the 32-bit launcher, x86-64 for its 64-bit companion).
constexpr uint16_t kLoadableMachine = sizeof(void*) == 8 ? 0x8664 : 0x014C;

// The file is opened for reading and shared for reading only, so a file that another process
// holds open for writing is not mapped; neither is an empty one. Only the pages that are
// read are touched.
class MappedFile {
 public:
  explicit MappedFile(const Text& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Base of the view and the file's size in bytes; null and 0 when nothing is mapped.
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// Where the system's image helper finds the NT headers of the image mapped at `base`; null
// when it finds none or is not available. The caller has made sure that the headers the DOS
// header names lie inside the mapping.
const void* ImageNtHeaders(const void* base);

}  // namespace os
