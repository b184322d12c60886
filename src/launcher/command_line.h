// The launcher's own word-splitting rule for command lines and separator-delimited lists.
#pragma once

#include "core/text.h"

// The words of a whole process command line after the program path.
TextList ArgumentsFromCommandLine(const Text& commandLine);
// Fills the list with the words after the program path of this process's command line.
void BuildArgumentList(TextList& arguments);
// Appends the words of the text: only U+0020 separates, and a double quote is special only
// as the first character of a word; backslashes are ordinary.
void TokenizeArguments(const Text& text, TextList& words);
// Clears the list and fills it with the pieces between occurrences of the separator.
void SplitList(const Text& text, const Text& separator, TextList& pieces);
