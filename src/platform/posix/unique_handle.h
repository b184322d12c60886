// Owners of the POSIX handles the launcher and its tools use: one traits policy per kind of
// handle for the portable owner template.
#pragma once

#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "platform/unique_handle.h"

namespace os {

// Keeps errno across a close, so the error of the call that failed is the one reported.
class ErrnoKeeper {
 public:
  ErrnoKeeper() : error_(errno) {}
  ~ErrnoKeeper() { errno = error_; }
  ErrnoKeeper(const ErrnoKeeper&) = delete;
  ErrnoKeeper& operator=(const ErrnoKeeper&) = delete;

 private:
  int error_;
};

// open() and friends report failure as -1.
struct FileDescriptorTraits {
  using Value = int;
  using ErrorKeeper = ErrnoKeeper;
  static Value Invalid() { return -1; }
  static bool IsValid(Value v) { return v >= 0; }
  static void Close(Value v) { close(v); }
};
struct DirectoryStreamTraits {
  using Value = DIR*;
  using ErrorKeeper = ErrnoKeeper;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { closedir(v); }
};
struct FileStreamTraits {
  using Value = FILE*;
  using ErrorKeeper = ErrnoKeeper;
  static Value Invalid() { return nullptr; }
  static bool IsValid(Value v) { return v != nullptr; }
  static void Close(Value v) { fclose(v); }
};

using FileDescriptor = UniqueHandle<FileDescriptorTraits>;
using DirectoryStream = UniqueHandle<DirectoryStreamTraits>;
using FileStream = UniqueHandle<FileStreamTraits>;

}  // namespace os
