// Percentage memory sizes and stack sizes of the VM parameters.
#include "jvm/memory_options.h"

#include <limits>

bool IsRelativeMemoryOption(const Text& parameter) {
  if (parameter.size() < 5) return false;
  Text head = parameter.substr(0, 4);
  if (head != u"-Xms" && head != u"-Xmx" && head != u"-Xss") return false;
  char16_t unit = parameter.back();
  if (unit != u'P' && unit != u'p' && unit != u'T' && unit != u't') return false;
  // Without a number it is no percentage: passed on as written, the VM's own message names
  // what the user wrote rather than a size made up from nothing.
  for (size_t i = 4; i + 1 < parameter.size(); ++i) {
    if (IsAsciiDigit(parameter[i])) return true;
  }
  return false;
}

NumberList ParseNumberList(const Text& text) {
  NumberList list;
  list.start = text.size();
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsAsciiDigit(text[i]) || text[i] == u':') {
      list.start = i;
      break;
    }
  }
  if (list.start == text.size()) return list;
  list.numbers.push_back(0);
  for (size_t i = list.start; i < text.size(); ++i) {
    if (IsAsciiDigit(text[i])) {
      // 32-bit wrap-around, as the numbers have always been read.
      list.numbers.back() = list.numbers.back() * 10u + static_cast<uint32_t>(text[i] - u'0');
    } else if (text[i] == u':') {
      list.numbers.push_back(0);
    }
  }
  return list;
}

// The size is kept in 64 bits: a 64-bit process's address space, or bounds of several
// terabytes, would otherwise wrap round to a small, wrong size.
Text ComputeMemoryOption(const Text& parameter, const MemoryFigures& figures) {
  NumberList list = ParseNumberList(parameter);
  auto number = [&list](size_t index) -> uint64_t {
    return index < list.numbers.size() ? list.numbers[index] : 0;
  };
  double fraction = static_cast<double>(number(0)) / 100.0;
  char16_t unit = parameter.back();
  uint64_t base = (unit == u'P' || unit == u'p') ? figures.totalPhysical : figures.availableVirtual;
  double kilobytes = static_cast<double>(base / 1024) * fraction;
  const uint64_t largest = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t size =
      kilobytes >= static_cast<double>(largest) ? largest : static_cast<uint64_t>(kilobytes);
  uint64_t maximum = number(2) * 1024;
  uint64_t minimum = number(1) * 1024;
  if (maximum != 0 && size > maximum) size = maximum;
  if (minimum > size) size = minimum;  // the minimum wins over a smaller maximum
  return parameter.substr(0, list.start) + DecimalText(static_cast<long long>(size)) + u"K";
}

uint32_t SizeUnitMultiplier(const Text& text) {
  if (text.empty()) return 1;
  switch (text.back()) {
    case u'G':
    case u'g':
      return 1073741824u;
    case u'K':
    case u'k':
      return 1024u;
    case u'M':
    case u'm':
      return 1048576u;
    default:
      return 1u;
  }
}

// A size that does not fit a thread's stack-size field gives the runtime's default rather
// than a wrapped, arbitrary one.
int32_t ParseStackSize(const Text& text) {
  NumberList list = ParseNumberList(text);
  if (list.start != 0 || list.numbers.size() != 1) return 0;
  uint64_t bytes = static_cast<uint64_t>(list.numbers[0]) * SizeUnitMultiplier(text);
  return bytes > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())
             ? 0
             : static_cast<int32_t>(bytes);
}
