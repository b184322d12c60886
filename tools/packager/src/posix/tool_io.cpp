// POSIX side of the tool's operating-system contacts; paths are taken as given, in UTF-8.
#include "tool_io.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/unique_handle.h"

namespace tool {

namespace {

Text Reason(const Text& what, const Text& path) {
  return what + u" '" + path + u"': " + FromUtf8(strerror(errno));
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const Text& path, ByteString& bytes, Text& error) {
  os::FileDescriptor file(open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info;
  if (!file || fstat(file.Get(), &info) != 0) {
    error = Reason(u"cannot open", path);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = u"'" + path + u"' is not a file";
    return false;
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    ssize_t count = read(file.Get(), buffer, sizeof(buffer));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      error = Reason(u"cannot read", path);
      return false;
    }
    if (count == 0) return true;
    bytes.append(buffer, static_cast<size_t>(count));
  }
}

bool ReplaceWithNewFile(const Text& path, const ByteString& bytes, const Text& modelPath,
                        Text& error) {
  struct stat model;
  mode_t mode = stat(ToUtf8(modelPath).c_str(), &model) == 0 ? model.st_mode & 07777 : 0755;
  ByteString target = ToUtf8(path);
  ByteString temporary = target + ".embed-" + std::to_string(getpid()) + ".tmp";
  os::FileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file) {
    error = Reason(u"cannot create", FromUtf8(temporary));
    return false;
  }
  bool written = WriteAll(file.Get(), bytes.data(), bytes.size()) &&
                 fchmod(file.Get(), mode) == 0 && fsync(file.Get()) == 0;
  // A write the file system defers can still fail on closing; that failure must be seen.
  if (written) written = close(file.Release()) == 0;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    error =
        written ? Reason(u"cannot replace", path) : Reason(u"cannot write", FromUtf8(temporary));
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

// Permission bits, not access(): the superuser may write anything, yet a file without any
// write permission was meant to be kept.
bool IsReadOnly(const Text& path) {
  ByteString name = ToUtf8(path);
  struct stat info;
  if (stat(name.c_str(), &info) != 0) return false;
  return (info.st_mode & 0222) == 0 || access(name.c_str(), W_OK) != 0;
}

bool RandomBytes(uint8_t* bytes, size_t count) {
  while (count > 0) {
    ssize_t got = getrandom(bytes, count, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

void WriteOutput(const Text& text) {
  ByteString bytes = ToUtf8(text);
  WriteAll(STDOUT_FILENO, bytes.data(), bytes.size());
}

void WriteError(const Text& text) {
  ByteString bytes = ToUtf8(text);
  WriteAll(STDERR_FILENO, bytes.data(), bytes.size());
}

}  // namespace tool
