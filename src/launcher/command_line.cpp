// The Java program's arguments: the words after the program path.
#include "launcher/command_line.h"

#include "platform/process.h"

void BuildArgumentList(TextList& arguments) { arguments = os::CommandLineArguments(); }
