// Path texts built from the settings and the chosen runtime library.
#include "jvm/runtime_paths.h"

#include "core/paths.h"

bool IsSearchedClassPathEntry(const Text& entry, const HostRules& host) {
  return !IsAbsolutePath(entry, host) || entry.find(u'*') != Text::npos;
}

ClassPathSearch ClassPathSearchFor(const Text& entry, const Text& executableFolder,
                                   const HostRules& host) {
  if (IsAbsolutePath(entry, host)) return {entry, FolderOf(entry)};
  size_t slash = entry.rfind(u'\\');
  Text folder = executableFolder;
  if (slash != Text::npos && slash > 0) folder += entry.substr(0, slash + 1);
  return {executableFolder + entry, folder};
}

static Text PathReference(const HostRules& host) { return u'%' + Text(host.pathVariable) + u'%'; }

Text LibraryPathText(const Text& libraryPath, const Text& executableFolder,
                     const Text& runtimeLibFolder, const HostRules& host) {
  const char16_t separator = host.listSeparator;
  Text text = libraryPath;
  if (!EndsWith(text, separator)) text += separator;
  text += executableFolder;
  text += separator;
  text += u'.';
  text += separator + PathReference(host);
  text += separator;
  return text + runtimeLibFolder;
}

Text SearchPathText(const Text& systemPath, const Text& runtimeBinFolder, const HostRules& host) {
  Text text;
  if (!systemPath.empty()) {
    text = systemPath;
    if (!EndsWith(text, host.listSeparator)) text += host.listSeparator;
  }
  return text + PathReference(host) + host.listSeparator + runtimeBinFolder;
}
