// The launcher's own word-splitting rule for command lines and the words of a setting.
#pragma once

#include "core/text.h"

// The words of a whole process command line after the program path.
TextList ArgumentsFromCommandLine(const Text& commandLine);
// Appends the words of the text: only U+0020 separates, and a double quote is special only
// as the first character of a word; backslashes are ordinary.
void TokenizeArguments(const Text& text, TextList& words);
