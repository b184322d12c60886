// The packaging tool's few contacts with the operating system: whole files, the safe
// replacement of a file, random bytes and its two output streams.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/text.h"

namespace tool {

// False, with the reason, when the file cannot be read whole.
bool ReadWholeFile(const Text& path, ByteString& bytes, Text& error);
// Writes a new file beside `path` and then puts it in its place, so that `path` keeps its old
// contents whenever anything fails, even when `path` is read-only. The new file takes the
// permissions of `modelPath`.
bool ReplaceWithNewFile(const Text& path, const ByteString& bytes, const Text& modelPath,
                        Text& error);
// True when the file exists and its permissions forbid writing to it (whoever the user is: a
// read-only file is one its owner meant to keep).
bool IsReadOnly(const Text& path);
// Bytes from the operating system's cryptographic random source.
bool RandomBytes(uint8_t* bytes, size_t count);
// Text to standard output and standard error: as typed characters on a console, UTF-8
// otherwise.
void WriteOutput(const Text& text);
void WriteError(const Text& text);

}  // namespace tool
