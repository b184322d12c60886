// Win32 side of the process layer.
#include "platform/process.h"

#include "core/words.h"
#include "platform/win32/unique_handle.h"

namespace os {

uint32_t ModuleFileName(Text& path) {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (length == 0) return GetLastError();
  path = FromWide(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
  return 0;
}

Text CommandLine() { return FromWide(GetCommandLineW()); }

TextList CommandLineArguments() { return ArgumentsFromCommandLine(CommandLine()); }

uint32_t StartProcess(const Text& application, const Text& commandLine, bool wait,
                      uint32_t& exitCode) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  Text writable = commandLine;
  if (!CreateProcessW(Wide(application), const_cast<wchar_t*>(Wide(writable)), nullptr, nullptr,
                      FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return GetLastError();
  }
  KernelHandle process(info.hProcess);
  KernelHandle thread(info.hThread);
  if (wait) {
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    exitCode = code;
  }
  return 0;
}

void WriteStandardOutput(const Text& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  DWORD written = 0;
  // A console shows any character; a file or pipe gets the ANSI code page's bytes.
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, Wide(text), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  ByteString bytes = ToThreadCodePage(text);
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void UseSystemDefaultLocale() { SetThreadLocale(GetSystemDefaultLCID()); }

uint32_t SetWorkingDirectory(const Text& folder) {
  return SetCurrentDirectoryW(Wide(folder)) ? 0 : GetLastError();
}

Text EnvironmentValue(const Text& name) {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(Wide(name), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return Text();
  return FromWide(buffer, length);
}

void SetEnvironmentValue(const Text& name, const Text& value) {
  SetEnvironmentVariableW(Wide(name), Wide(value));
}

// Asked again with the size it reports, as long as the value keeps growing in between.
bool FindEnvironmentValue(const Text& name, Text& value) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length =
        GetEnvironmentVariableW(Wide(name), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return false;
    if (length < buffer.size()) {
      value = FromWide(buffer.data(), length);
      return true;
    }
    buffer.resize(length);
  }
}

// Without best-fit mapping: a look-alike (O for Omega, a plain quote for a full-width one)
// would silently change the text, where the default character shows the loss.
ByteString ToThreadCodePage(const Text& text) {
  if (text.empty()) return ByteString();
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  int length = WideCharToMultiByte(CP_THREAD_ACP, flags, Wide(text), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
  if (length <= 0) return ByteString();
  ByteString bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_THREAD_ACP, flags, Wide(text), static_cast<int>(text.size()), &bytes[0],
                      length, nullptr, nullptr);
  return bytes;
}

}  // namespace os
