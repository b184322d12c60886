// The string-table messages and the one error frame every failure is printed in.
#include "launcher/messages.h"

#include "platform/process.h"
#include "platform/resources.h"

Text StringFromTableBlock(std::u16string_view block, unsigned position) {
  size_t at = 0;
  for (unsigned index = 0; at < block.size(); ++index) {
    size_t length = block[at];
    if (length > block.size() - at - 1) return Text();
    if (index == position) return Text(block.substr(at + 1, length));
    at += 1 + length;
  }
  return Text();
}

Text LoadMessage(int id) {
  if (id < 0) return Text();
  unsigned number = static_cast<unsigned>(id);
  return StringFromTableBlock(os::StringTableBlock(number / 16 + 1), number % 16);
}

Text FormatMessageId(int id, std::initializer_list<FormatArgument> arguments) {
  return FormatText(LoadMessage(id), arguments);
}

void ReportError(const Text& text) {
  os::WriteStandardOutput(u"Error: " + text + u" \n");
}

void ReportFormattedError(const Text& format, std::initializer_list<FormatArgument> arguments) {
  ReportError(FormatText(format, arguments));
}
