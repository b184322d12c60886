// What the fuzz targets share: reading an input as fields of text, and stopping on a broken
// invariant so that libFuzzer keeps the input that broke it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/text.h"

namespace fuzz {

// The input cut at NUL bytes into at most `count` fields (the last keeps any further NULs),
// each read as UTF-8; missing fields are empty. Seeds stay readable text this way.
inline TextList Fields(const uint8_t* data, size_t size, size_t count) {
  TextList fields;
  ByteString bytes(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (fields.size() + 1 < count) {
    size_t end = bytes.find('\0', start);
    if (end == ByteString::npos) break;
    fields.push_back(FromUtf8(bytes.substr(start, end - start)));
    start = end + 1;
  }
  fields.push_back(FromUtf8(bytes.substr(std::min(start, bytes.size()))));
  fields.resize(count);
  return fields;
}

inline ByteString Bytes(const uint8_t* data, size_t size) {
  return ByteString(reinterpret_cast<const char*>(data), size);
}

[[noreturn]] inline void Broken(const char* invariant, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, invariant);
  std::abort();
}

}  // namespace fuzz

// Holds in every build, unlike assert: the fuzz build is the one that must see it.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : fuzz::Broken(#condition, __FILE__, __LINE__))
