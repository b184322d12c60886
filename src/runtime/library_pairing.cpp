// Whether a runtime library the user named loads in-process or needs the companion launcher:
// the machine type in its Portable Executable header decides.
#include <cstdint>

#include "platform/mapped_file.h"
#include "runtime/pe_header.h"
#include "runtime/runtime_search.h"

namespace {

// A runtime library mapped read-only, judged by its headers alone.
class MappedImage {
 public:
  explicit MappedImage(const Text& path) : file_(path) {}

  // A DOS header, NT headers inside the file where the system's image helper finds them,
  // and the PE signature; `machine` is then the file header's machine type.
  bool IsPortableExecutable(uint16_t& machine) const {
    const uint8_t* base = file_.Data();
    size_t offset = 0;
    // The helper reads where the DOS header points, so that must lie inside the view first.
    if (!base || !FindNtHeaders(base, file_.Size(), offset)) return false;
    auto headers = reinterpret_cast<uintptr_t>(os::ImageNtHeaders(base));
    auto start = reinterpret_cast<uintptr_t>(base);
    if (headers < start) return false;
    return ReadMachineType(base, file_.Size(), headers - start, machine);
  }

 private:
  os::MappedFile file_;
};

}  // namespace

bool InspectRuntimeLibrary(const Text& runtimeLibraryPath, const Text& pairProduct) {
  return !pairProduct.empty() && IsForeignLibrary(runtimeLibraryPath);
}

bool IsForeignLibrary(const Text& runtimeLibraryPath) {
  uint16_t machine = 0;
  return MappedImage(runtimeLibraryPath).IsPortableExecutable(machine) &&
         machine != os::kLoadableMachine;
}
