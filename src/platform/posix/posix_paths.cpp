// Mapping between the launcher's Windows-style paths and POSIX paths.
#include "platform/posix/posix_paths.h"

ByteString ToPosixPath(const Text& path) {
  ByteString bytes = ToUtf8(path);
  for (char& c : bytes) {
    if (c == '\\') c = '/';
  }
  return bytes;
}

Text FromPosixPath(const ByteString& path) {
  Text text = FromUtf8(path);
  ReplaceAll(text, u'/', u'\\');
  return text;
}
