// Path rules: components, parents, host spellings, and the class path, library path and
// search path texts. Input: a path, then a folder.
#include "core/host_rules.h"
#include "core/paths.h"
#include "fuzz_input.h"
#include "jvm/runtime_paths.h"

namespace {

bool IsPrefix(const Text& prefix, const Text& text) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextList fields = fuzz::Fields(data, size, 2);
  const Text& path = fields[0];
  const Text& folder = fields[1];

  // Joining the components with backslashes rebuilds the path, but for a trailing backslash.
  TextList components = SplitPathComponents(path);
  FUZZ_CHECK(!components.empty());
  Text joined;
  for (size_t i = 0; i < components.size(); ++i) joined += (i ? u"\\" : u"") + components[i];
  FUZZ_CHECK(joined == path || joined + u'\\' == path);

  FUZZ_CHECK(IsPrefix(ParentPath(path, 1), path));
  Text parent = FolderOf(path);
  FUZZ_CHECK(IsPrefix(parent, path));
  FUZZ_CHECK(parent.empty() || parent.back() == u'\\');
  FUZZ_CHECK(WithTrailingBackslash(folder).back() == u'\\');

  for (const HostRules* host : {&kWindowsHost, &kPosixHost}) {
    if (path.find(host->nativeSeparator) == Text::npos || host->nativeSeparator == u'\\') {
      FUZZ_CHECK(ToLauncherPath(ToNativePath(path, *host), *host) == path);
    }
    IsAbsolutePath(path, *host);
    if (IsSearchedClassPathEntry(path, *host)) {
      ClassPathSearch search = ClassPathSearchFor(path, WithTrailingBackslash(folder), *host);
      FUZZ_CHECK(!search.pattern.empty());
    }
    LibraryPathText(path, folder, folder + u"\\lib", *host);
    SearchPathText(path, folder, *host);
  }
  return 0;
}
