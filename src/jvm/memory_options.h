// Heap and stack sizes given as a percentage of the machine's memory, and the byte size of
// a thread stack option.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/text.h"
#include "platform/memory.h"

struct NumberList {
  size_t start = 0;  // index of the first digit or ":", the length when there is none
  std::vector<uint32_t> numbers;
};

// "-Xms", "-Xmx" or "-Xss" with a digit and ending in P or p (physical memory) or T or t
// (address space).
bool IsRelativeMemoryOption(const Text& parameter);
// Decimal numbers separated by ":" from the first digit or ":" on; other characters skipped.
NumberList ParseNumberList(const Text& text);
// percent[:minimum MB[:maximum MB]] of the figure, as "<prefix><kilobytes>K".
Text ComputeMemoryOption(const Text& parameter, const MemoryFigures& figures);
uint32_t SizeUnitMultiplier(const Text& text);
// Bytes of an "-Xss" value such as 512k; 0 for any other shape or a size beyond 2 GB.
int32_t ParseStackSize(const Text& text);
