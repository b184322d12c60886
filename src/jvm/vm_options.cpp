// The process environment and the VM option strings assembled from the settings.
#include "core/environment_references.h"
#include "core/paths.h"
#include "core/words.h"
#include "jvm/java_host.h"
#include "jvm/memory_options.h"
#include "jvm/runtime_paths.h"
#include "jvm/vm_parameters.h"
#include "launcher/messages.h"
#include "launcher/module_path.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/memory.h"
#include "platform/process.h"

namespace {

const Text kRuntimeSection = u"Java Runtime Environment";
const Text kApplicationSection = u"Application";

// The executable's folder with its trailing backslash; empty when the path is unavailable
// (GetModulePath has reported that).
Text ExecutableFolder() {
  Text path;
  return GetModulePath(path) ? FolderOf(path) : Text();
}

Text Expanded(const Text& text) { return ExpandReferences(text, os::FindEnvironmentValue); }

// A file name setting with its environment references resolved, in the launcher's spelling
// (the host's own spelling is accepted too).
Text FileSetting(const SettingsSource& settings, const Text& key) {
  return ToLauncherPath(Expanded(settings.Get(kApplicationSection, key)), os::Host());
}

// Appends the files a relative or wildcard entry names, in the order the file system lists
// them; a pattern without matches adds nothing.
void ExpandClassPathEntry(const Text& entry, const Text& executableFolder, Text& classPath) {
  const HostRules& host = os::Host();
  ClassPathSearch search = ClassPathSearchFor(entry, executableFolder, host);
  for (const Text& name : os::FindEntryNames(search.pattern)) {
    classPath += search.folder + name + host.listSeparator;
  }
}

Text BuildClassPath(const SettingsSource& settings) {
  const HostRules& host = os::Host();
  Text executableFolder = ExecutableFolder();
  TextList entries;
  SplitList(settings.Get(u"Class Path", u"Class Path"), u";", entries);
  Text classPath;
  for (const Text& written : entries) {
    Text entry = ToLauncherPath(Expanded(written), host);
    if (IsSearchedClassPathEntry(entry, host)) {
      ExpandClassPathEntry(entry, executableFolder, classPath);
    } else {
      classPath += entry + host.listSeparator;
    }
  }
  Text executable;
  if (EqualsIgnoreCase(settings.Get(kApplicationSection, u"Embedded Jar"), u"Yes") &&
      GetModulePath(executable)) {
    classPath = executable + host.listSeparator + classPath;
  }
  return classPath;
}

}  // namespace

void JavaHost::PrepareRuntimeEnvironment(const Text& runtimeLibraryPath, const Text& libraryPath,
                                         const Text& systemPath) {
  const HostRules& host = os::Host();
  Text runtimeHome = ParentPath(runtimeLibraryPath, 3);
  os::SetEnvironmentValue(u"VORN_JVM_PATH", ToNativePath(runtimeLibraryPath, host));
  os::SetEnvironmentValue(u"VORN_JVM_HOME", ToNativePath(runtimeHome, host));
  if (!libraryPath.empty()) {
    Text text = LibraryPathText(ToLauncherPath(libraryPath, host), ExecutableFolder(),
                                runtimeHome + u"\\lib", host);
    vmOptions.push_back(
        os::ToThreadCodePage(u"-Djava.library.path=" + ToNativePath(Expanded(text), host)));
  }
  Text searchPath =
      SearchPathText(ToLauncherPath(systemPath, host), ParentPath(runtimeLibraryPath, 2), host);
  os::SetEnvironmentValue(host.pathVariable, ToNativePath(Expanded(searchPath), host));
}

bool JavaHost::AssembleVmOptions(const SettingsSource& settings, TextList& arguments) {
  Text classPath = BuildClassPath(settings);
  if (classPath.empty()) {
    ReportError(LoadMessage(kMsgNoClassPath));
    return false;
  }

  TextList parameters{u"-Djava.class.path=" + ToNativePath(classPath, os::Host())};
  for (const Text& parameter :
       SplitVmParameters(settings.Get(kRuntimeSection, u"Virtual Machine Parameters"))) {
    AddVmParameter(parameter, parameters);
  }
  for (const Text& parameter : parameters) {
    vmOptions.push_back(os::ToThreadCodePage(Expanded(parameter)));
  }

  outputFile = FileSetting(settings, u"Output File");
  appendOutput = appendOutput || settings.Get(kApplicationSection, u"Output Append") == u"yes";
  errorFile = FileSetting(settings, u"Error File");
  appendError = appendError || settings.Get(kApplicationSection, u"Error Append") == u"yes";

  Text extraArguments = settings.Get(kApplicationSection, u"Cmd");
  if (!extraArguments.empty()) {
    TextList words;
    TokenizeArguments(Expanded(extraArguments), words);
    for (Text& word : words) {
      if (!word.empty()) arguments.push_back(std::move(word));
    }
  }
  return true;
}

void JavaHost::AddVmParameter(Text parameter, TextList& list) {
  RemoveQuotes(parameter);
  if (IsRelativeMemoryOption(parameter)) {
    parameter = ComputeMemoryOption(parameter, os::CurrentMemoryFigures());
  }
  if (StartsWith(parameter, u"-Xss")) vmThreadStackSize = ParseStackSize(parameter.substr(4));
  list.push_back(std::move(parameter));
}
