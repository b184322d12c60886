// POSIX side of the file-system queries, with first-file-search semantics.
#include "platform/files.h"

#include <dirent.h>
#include <errno.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include "platform/posix/posix_paths.h"
#include "platform/posix/unique_handle.h"

namespace os {

static bool HasWildcard(const ByteString& name) {
  return name.find_first_of("*?") != ByteString::npos;
}

TextList FindEntryNames(const Text& pattern) {
  TextList names;
  ByteString path = ToPosixPath(pattern);
  size_t slash = path.rfind('/');
  ByteString folder = slash == ByteString::npos ? "." : path.substr(0, slash + 1);
  ByteString name = slash == ByteString::npos ? path : path.substr(slash + 1);
  if (name.empty()) return names;
  if (!HasWildcard(name)) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0) names.push_back(FromUtf8(name));
    return names;
  }
  DirectoryStream dir(opendir(folder.c_str()));
  if (!dir) return names;
  while (dirent* entry = readdir(dir.Get())) {
    if (fnmatch(name.c_str(), entry->d_name, FNM_PERIOD) == 0) {
      names.push_back(FromUtf8(entry->d_name));
    }
  }
  return names;
}

bool FindsEntry(const Text& path) { return !FindEntryNames(path).empty(); }

uint32_t CreateFolder(const Text& path) {
  if (mkdir(ToPosixPath(path).c_str(), 0777) == 0) return 0;
  return errno == EEXIST ? kErrorAlreadyExists : static_cast<uint32_t>(errno);
}

}  // namespace os
