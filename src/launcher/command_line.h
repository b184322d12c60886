// The Java program's arguments from this process's command line.
#pragma once

#include "core/text.h"

// Fills the list with the words after the program path of this process's command line.
void BuildArgumentList(TextList& arguments);
