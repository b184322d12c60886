// The report of an exception that the Java program's main method did not catch.
#pragma once

#include "core/text.h"

// Shows the stack trace and asks whether to end the program; 1 asks to end it. Where no
// dialog can be seen the answer is 0 and the program goes on.
int ReportUncaughtException(const Text& stackTrace);

// The text with every line feed that has no carriage return before it made a CR LF, as a
// multi-line edit control shows line breaks.
Text WithCrLfLineEnds(const Text& text);
