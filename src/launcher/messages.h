// Loading, formatting and printing of the string-table messages.
#pragma once

#include "core/format.h"
#include "core/text.h"
#include "launcher/message_ids.h"

// The string-table entry, or the empty text when the table has none.
Text LoadMessage(int id);
Text FormatMessageId(int id, std::initializer_list<FormatArgument> arguments);
// Prints "Error: <text> \n" on standard output in one write.
void ReportError(const Text& text);
void ReportFormattedError(const Text& format, std::initializer_list<FormatArgument> arguments);

// The text at a position of a string-table block: each position holds a length-prefixed
// UTF-16 text. A block cut short yields the empty text rather than a read past its end.
Text StringFromTableBlock(std::u16string_view block, unsigned position);
