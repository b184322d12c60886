// The launcher's view of its own process: module path, command line, environment, console
// output, locale, working folder and child processes. Win32 and POSIX implementations.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace os {

// Why an operating-system call failed (GetLastError or errno).
uint32_t LastError();

// The executable's own full path, limited to 260 characters as the module-path buffer is.
bool ModuleFileName(Text& path);

// The process command line as the operating system holds it (for handing to a companion).
Text CommandLine();

// The words after the program path: the command line split by the launcher's own rule on
// Windows, the process's argument vector on POSIX (where the shell has split it already).
TextList CommandLineArguments();

// Starts a process; with `wait` it waits for it and reports its exit code. When it cannot
// be started, `error` tells why (taken before anything else can overwrite it).
bool StartProcess(const Text& application, const Text& commandLine, bool wait,
                  uint32_t& exitCode, uint32_t& error);

// Writes the text to standard output in one call.
void WriteStandardOutput(const Text& text);

// The main thread takes the system's default locale (and with it the ANSI code page).
void UseSystemDefaultLocale();

bool SetWorkingDirectory(const Text& folder);

// An environment variable read into a buffer of 260 characters; empty when unset or larger.
Text EnvironmentValue(const Text& name);
void SetEnvironmentValue(const Text& name, const Text& value);
// Replaces %NAME% references with their values; unknown names stay; unchanged on failure.
void ExpandEnvironment(Text& text);

// Text in the ANSI code page of the calling thread's locale (UTF-8 on POSIX); characters the
// code page cannot hold become its default character.
ByteString ToThreadCodePage(const Text& text);

// Settings files on Windows are named by swapping the extension; POSIX executables usually
// have none, so there ".ini" is appended when the file name has no dot.
constexpr bool kExecutablesHaveExtensions =
#ifdef _WIN32
    true;
#else
    false;
#endif

}  // namespace os
