// Packing a start's arguments into the shared block and reading them back out.
#include "instance/instance_block.h"

#include <algorithm>

namespace {

constexpr size_t kAreaUnits = sizeof(InstanceBlock::argumentArea) / sizeof(char16_t);
// Readers stop one unit short of the area's end (offset 2090 of the block).
constexpr size_t kScannedUnits = kAreaUnits - 1;

}  // namespace

Text InstanceName(const Text& modulePath) {
  Text name = modulePath;
  ReplaceAll(name, u'\\', u'_');
  return name;
}

Text MainReadyEventName(const Text& instanceName) { return instanceName + u"_upr_evt"; }

Text ForwardingMutexName(const Text& instanceName) { return instanceName + u"_fwd_mtx"; }

size_t PackedArgumentsSize(const TextList& arguments) {
  size_t size = 2;
  for (const Text& argument : arguments) size += 2 * argument.size() + 2;
  return size;
}

bool PackArguments(const TextList& arguments, InstanceBlock& block) {
  if (PackedArgumentsSize(arguments) > kPackedArgumentsLimit) return false;
  char16_t* area = block.argumentArea;
  std::fill(area, area + kPackedArgumentsLimit / sizeof(char16_t), u'\0');
  for (const Text& argument : arguments) {
    area = std::copy(argument.begin(), argument.end(), area);
    ++area;  // the zero fill ends the string
  }
  return true;
}

void UnpackArguments(const InstanceBlock& block, TextList& arguments) {
  const char16_t* area = block.argumentArea;
  Text current;
  for (size_t i = 0; i < kScannedUnits; ++i) {
    if (area[i] != u'\0') {
      current += area[i];
      continue;
    }
    arguments.push_back(current);
    if (area[i + 1] == u'\0') return;
    current.clear();
  }
}
