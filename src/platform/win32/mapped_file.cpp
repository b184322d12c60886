// Win32 side of the file mapping and of the NT header lookup through Dbghelp.dll.
#include "platform/mapped_file.h"

#include <cstdint>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace os {

// Released in reverse order: the view, then the mapping, then the file.
struct MappedFile::Handles {
  FileHandle file;
  KernelHandle mapping;
  MappedView view;
};

MappedFile::MappedFile(const Text& path) : handles_(new Handles) {
  Handles& owned = *handles_;
  owned.file = FileHandle(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!owned.file || !GetFileSizeEx(owned.file.Get(), &size) || size.QuadPart <= 0 ||
      static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) {
    return;
  }
  owned.mapping = KernelHandle(CreateFileMappingW(owned.file.Get(), nullptr, PAGE_READONLY, 0, 0,
                                                  nullptr));
  if (!owned.mapping) return;
  owned.view = MappedView(MapViewOfFile(owned.mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!owned.view) return;
  data_ = static_cast<const uint8_t*>(owned.view.Get());
  size_ = static_cast<size_t>(size.QuadPart);
}

MappedFile::~MappedFile() = default;

const void* ImageNtHeaders(const void* base) {
  static SystemLibrary dbghelp(L"dbghelp.dll");
  using ImageNtHeaderFunction = PIMAGE_NT_HEADERS(WINAPI*)(PVOID);
  auto lookup = dbghelp.Find<ImageNtHeaderFunction>("ImageNtHeader");
  return lookup ? lookup(const_cast<void*>(base)) : nullptr;
}

}  // namespace os
