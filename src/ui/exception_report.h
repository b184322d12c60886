// The report of an exception that the Java program's main method did not catch.
#pragma once

#include "core/text.h"

// Shows the stack trace and asks whether to end the program; 1 asks to end it.
int ReportUncaughtException(const Text& stackTrace);
