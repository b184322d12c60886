// Folders, parents and components of paths in the launcher's spelling.
#include "core/paths.h"

Text ParentPath(Text path, int n) {
  for (int i = 0; i < n; ++i) {
    size_t slash = path.rfind(u'\\');
    if (slash != Text::npos) path.erase(slash);
  }
  return path;
}

Text FolderOf(const Text& path) {
  size_t slash = path.rfind(u'\\');
  return slash == Text::npos ? Text() : path.substr(0, slash + 1);
}

Text WithTrailingBackslash(Text folder) {
  if (!EndsWith(folder, u'\\')) folder += u'\\';
  return folder;
}

bool IsUncPath(const Text& path) {
  return path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\' &&
         (path.size() < 3 || path[2] != u'?');
}

TextList SplitPathComponents(const Text& path) {
  static const Text kLongPrefix = u"\\\\?\\";
  Text prefix;
  Text rest = path;
  if (StartsWith(path, kLongPrefix)) {
    prefix = kLongPrefix;
    rest = path.substr(kLongPrefix.size());
  }
  size_t rootEnd = rest.find(u'\\', IsUncPath(rest) ? 2 : 0);
  TextList components{prefix + rest.substr(0, rootEnd)};
  if (rootEnd == Text::npos) return components;
  TextList names;
  SplitList(rest.substr(rootEnd + 1), u"\\", names);
  components.insert(components.end(), names.begin(), names.end());
  return components;
}
