// The launcher's view of its own process: module path, command line, environment, console
// output, locale, working folder and child processes. Win32 and POSIX implementations.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace os {

// Calls that can fail in a way a caller reports return 0 on success and otherwise the error
// code (GetLastError or errno) taken where the call failed, before anything can overwrite it.

// The executable's own full path, limited to 260 characters as the module-path buffer is.
uint32_t ModuleFileName(Text& path);

// The process command line as the operating system holds it (for handing to a companion).
Text CommandLine();

// The words after the program path: the command line split by the launcher's own rule on
// Windows, the process's argument vector on POSIX (where the shell has split it already).
TextList CommandLineArguments();

// Starts a process; with `wait` it waits for it and reports its exit code.
uint32_t StartProcess(const Text& application, const Text& commandLine, bool wait,
                      uint32_t& exitCode);

// Writes the text to standard output in one call.
void WriteStandardOutput(const Text& text);

// The main thread takes the system's default locale (and with it the ANSI code page).
void UseSystemDefaultLocale();

uint32_t SetWorkingDirectory(const Text& folder);

// An environment variable read into a buffer of 260 characters; empty when unset or larger.
Text EnvironmentValue(const Text& name);
void SetEnvironmentValue(const Text& name, const Text& value);
// A variable's whole value, however long; false when it is not set. The lookup of the
// %NAME% references in settings (core/environment_references.h).
bool FindEnvironmentValue(const Text& name, Text& value);

// Text in the ANSI code page of the calling thread's locale (UTF-8 on POSIX); characters the
// code page cannot hold become its default character.
ByteString ToThreadCodePage(const Text& text);

}  // namespace os
