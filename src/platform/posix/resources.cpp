// POSIX side of the resource access: the string table is compiled in and laid out in the
// same length-prefixed blocks the Windows resource holds.
#include "platform/resources.h"

#include <map>

#include "core/text.h"

namespace os {

namespace {

struct Message {
  unsigned id;
  const char16_t* text;
};

#define MESSAGE(id, text) {id, u"" text},
const Message kMessages[] = {
#include "resources/messages.inc"
};
#undef MESSAGE

std::map<unsigned, Text> BuildBlocks() {
  std::map<unsigned, Text> blocks;
  for (const Message& message : kMessages) {
    Text& block = blocks[message.id / 16 + 1];
    if (block.empty()) block.assign(16, u'\0');
    // Replace the empty position (one length unit) with the length-prefixed text.
    size_t at = 0;
    for (unsigned position = 0; position < message.id % 16; ++position) at += 1 + block[at];
    Text text(message.text);
    block[at] = static_cast<char16_t>(text.size());
    block.insert(at + 1, text);
  }
  return blocks;
}

}  // namespace

std::u16string_view StringTableBlock(unsigned blockNumber) {
  static const std::map<unsigned, Text> blocks = BuildBlocks();
  auto found = blocks.find(blockNumber);
  return found == blocks.end() ? std::u16string_view() : std::u16string_view(found->second);
}

}  // namespace os
