// POSIX side of the file mapping: the host launcher loads no Portable Executable, so nothing
// is mapped and no image is ever found.
#include "platform/mapped_file.h"

namespace os {

struct MappedFile::Handles {};

MappedFile::MappedFile(const Text&) {}

MappedFile::~MappedFile() = default;

const void* ImageNtHeaders(const void*) { return nullptr; }

}  // namespace os
