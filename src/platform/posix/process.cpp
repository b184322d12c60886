// POSIX side of the process layer, for the Linux host launcher.
#include "platform/process.h"

#include <errno.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/posix/posix_paths.h"

namespace os {

uint32_t ModuleFileName(Text& path) {
  char buffer[260];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length < 0) return static_cast<uint32_t>(errno);
  if (length == 0) return ENOENT;
  path = FromPosixPath(ByteString(buffer, static_cast<size_t>(length)));
  return 0;
}

// The argument vector as the kernel keeps it, so the entry point need not pass it down.
static TextList ArgumentVector() {
  std::ifstream file("/proc/self/cmdline", std::ios::binary);
  ByteString all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TextList words;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\0', start);
    if (end == ByteString::npos) end = all.size();
    words.push_back(FromUtf8(all.substr(start, end - start)));
    start = end + 1;
  }
  return words;
}

Text CommandLine() {
  Text line;
  for (const Text& word : ArgumentVector()) {
    if (!line.empty()) line += u' ';
    line += word;
  }
  return line;
}

TextList CommandLineArguments() {
  TextList words = ArgumentVector();
  if (!words.empty()) words.erase(words.begin());
  return words;
}

// There is no companion launcher on POSIX.
uint32_t StartProcess(const Text&, const Text&, bool, uint32_t&) { return ENOSYS; }

void WriteStandardOutput(const Text& text) {
  ByteString bytes = ToUtf8(text);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

void UseSystemDefaultLocale() {}

uint32_t SetWorkingDirectory(const Text& folder) {
  return chdir(ToPosixPath(folder).c_str()) == 0 ? 0 : static_cast<uint32_t>(errno);
}

Text EnvironmentValue(const Text& name) {
  const char* value = getenv(ToUtf8(name).c_str());
  if (!value) return Text();
  Text text = FromUtf8(value);
  return text.size() < 260 ? text : Text();
}

void SetEnvironmentValue(const Text& name, const Text& value) {
  setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1);
}

bool FindEnvironmentValue(const Text& name, Text& value) {
  const char* found = getenv(ToUtf8(name).c_str());
  if (!found) return false;
  value = FromUtf8(found);
  return true;
}

ByteString ToThreadCodePage(const Text& text) { return ToUtf8(text); }

}  // namespace os
