// search-report: runs a launcher's runtime search with that launcher's settings, without
// loading any runtime and without writing anything, and prints what the search looked at,
// why it admitted or passed over each runtime, and what it chose. Exit status 0 when a
// runtime is found, 1 when none is, 2 when the launcher or its settings cannot be read.
#include "config/launcher_settings.h"
#include "config/settings_paths.h"
#include "core/host_rules.h"
#include "embedding.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/process.h"
#include "search_report.h"
#include "tool_io.h"

namespace {

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kCannotRead = 2;

const Text kUsage =
    u"Usage: search-report LAUNCHER\n"
    u"Runs the runtime search of the launcher executable LAUNCHER (or of the one beside the\n"
    u"settings file LAUNCHER) with its settings, and prints every source and registry entry\n"
    u"it looked at, why each was admitted or not, and the runtime it chose. Give full paths.\n"
    u"Exit status: 0 a runtime was found, 1 none was, 2 the launcher cannot be read.\n";

int Refuse(const Text& reason) {
  tool::WriteError(u"search-report: " + reason + u"\n");
  return kCannotRead;
}

bool IsSettingsFile(const Text& path) {
  return path.size() > 4 && EqualsIgnoreCase(path.substr(path.size() - 4), u".ini");
}

// The launcher a settings file belongs to: the same name with the executable extension.
Text ExecutableOf(const Text& settingsPath) {
  Text stem = settingsPath.substr(0, settingsPath.size() - 4);
  return os::Host().executablesHaveExtensions ? stem + u".exe" : stem;
}

// The settings the launcher itself would read, with its own embedded layer.
LayeredSettings ReadLayers(const Text& executable, const Text& settingsPath,
                           LauncherSettings& settings, Text& notes) {
  ReadProductAndLayers(settingsPath, settings);
  ByteString bytes;
  Text embedded;
  Text error;
  if (tool::ReadWholeFile(executable, bytes, error) &&
      ReadEmbeddedSettings(bytes, settings.upgradeCode, embedded, error)) {
    notes += u"Embedded settings: read\n";
  } else {
    notes += u"Embedded settings: none (" + error + u")\n";
  }
  return LayeredSettings(settingsPath, embedded);
}

}  // namespace

int main() {
  TextList arguments = os::CommandLineArguments();
  if (arguments.size() == 1 && arguments[0] == u"--help") {
    tool::WriteOutput(kUsage);
    return kFound;
  }
  if (arguments.size() != 1) {
    tool::WriteError(kUsage);
    return kCannotRead;
  }
  const HostRules& host = os::Host();
  Text path = ToLauncherPath(arguments[0], host);
  if (!IsAbsolutePath(path, host)) return Refuse(arguments[0] + u": not a full path");
  Text executable = path;
  Text settingsPath = path;
  if (IsSettingsFile(path)) {
    executable = ExecutableOf(path);
  } else if (!SettingsPathFor(path, host.executablesHaveExtensions, settingsPath)) {
    return Refuse(arguments[0] + u": the launcher has no settings file (its path has no dot)");
  }
  if (!os::FindsEntry(settingsPath)) return Refuse(settingsPath + u": no such settings file");

  LauncherSettings settings;
  Text report = u"Launcher: " + executable + u"\nSettings file: " + settingsPath + u"\n";
  LayeredSettings layered = ReadLayers(executable, settingsPath, settings, report);
  SearchPolicy policy = ReadSearchPolicy(layered);
  if (!ReadLauncherSettings(layered, settings)) {
    tool::WriteOutput(report + u"Result: the launcher stops before its runtime search.\n");
    return kNotFound;
  }
  settings.jrePath = ReadJrePath(settings, layered, executable);
  report += DescribePolicy(policy, settings.jrePath, settings.pairProduct);

  SearchReport search(policy, settings.pairProduct);
  RuntimeChoice choice;
  bool found = SearchRuntimeSources(settings, policy, choice, &search, executable);
  search.Finish(found, choice);
  tool::WriteOutput(report + search.Lines());
  return found ? kFound : kNotFound;
}
