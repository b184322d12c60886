// Reading the packaging tool's options and operands.
#include "options.h"

const char16_t kToolUsage[] =
    u"Usage: embed-settings --upgrade-code CODE [--output FILE] [--verbatim]\n"
    u"                      [--replace-read-only] EXECUTABLE SETTINGS\n"
    u"       embed-settings --print --upgrade-code CODE EXECUTABLE\n"
    u"\n"
    u"Writes the settings file SETTINGS into the launcher EXECUTABLE as its embedded settings\n"
    u"(resources RCDATA 8000 and 9000, enciphered), which the launcher reads beneath the\n"
    u"settings file beside it. The settings file beside the executable must name the same\n"
    u"upgrade code as key 'Upgrade Code' of section [Product Information].\n"
    u"\n"
    u"  -u, --upgrade-code CODE  the product's upgrade code (printable ASCII)\n"
    u"  -o, --output FILE        write the result to FILE instead of replacing EXECUTABLE\n"
    u"      --verbatim           store the text exactly as decoded; by default every line end\n"
    u"                           becomes CR LF and a leading byte-order mark is dropped\n"
    u"      --replace-read-only  write over a read-only EXECUTABLE or FILE, which is refused\n"
    u"                           otherwise\n"
    u"  -p, --print              print the embedded settings of EXECUTABLE instead; fails when\n"
    u"                           the upgrade code does not open them\n"
    u"  -h, --help               show this text\n"
    u"\n"
    u"SETTINGS may be UTF-8, with or without a byte-order mark, or UTF-16 with a byte-order\n"
    u"mark. The executable is replaced only when everything has succeeded.\n"
    u"Exit status: 0 done, 1 refused (nothing written), 2 wrong command line.\n";

namespace {

// "--name=value" or "--name value" for long options, "-x value" for short ones.
bool TakeValue(const Text& argument, const Text& longName, const Text& shortName,
               const TextList& arguments, size_t& index, Text& value, bool& matched, Text& error) {
  matched = false;
  if (StartsWith(argument, longName + u"=")) {
    matched = true;
    value = argument.substr(longName.size() + 1);
    return true;
  }
  if (argument != longName && argument != shortName) return true;
  matched = true;
  if (index + 1 >= arguments.size()) {
    error = argument + u" needs a value";
    return false;
  }
  value = arguments[++index];
  return true;
}

}  // namespace

bool ParseToolOptions(const TextList& arguments, ToolOptions& options, Text& error) {
  TextList operands;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const Text& argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != u'-' || argument == u"-") {
      operands.push_back(argument);
      continue;
    }
    bool matched = false;
    if (!TakeValue(argument, u"--upgrade-code", u"-u", arguments, i, options.upgradeCode, matched,
                   error)) {
      return false;
    }
    if (matched) {
      options.upgradeCodeGiven = true;
      continue;
    }
    if (!TakeValue(argument, u"--output", u"-o", arguments, i, options.output, matched, error)) {
      return false;
    }
    if (matched) continue;
    if (argument == u"--") {
      optionsEnded = true;
    } else if (argument == u"--help" || argument == u"-h") {
      options.help = true;
    } else if (argument == u"--print" || argument == u"-p") {
      options.print = true;
    } else if (argument == u"--verbatim") {
      options.verbatim = true;
    } else if (argument == u"--replace-read-only") {
      options.replaceReadOnly = true;
    } else {
      error = u"unknown option " + argument;
      return false;
    }
  }
  if (options.help) return true;
  if (!options.upgradeCodeGiven) {
    error = u"the upgrade code is missing (--upgrade-code CODE)";
    return false;
  }
  if (options.print && (!options.output.empty() || options.verbatim || options.replaceReadOnly)) {
    error = u"--print writes nothing: --output, --verbatim and --replace-read-only do not apply";
    return false;
  }
  size_t wanted = options.print ? 1 : 2;
  if (operands.size() != wanted) {
    error = options.print ? u"--print takes one executable"
                          : u"an executable and a settings file are needed";
    return false;
  }
  options.executable = operands[0];
  if (!options.print) options.settingsFile = operands[1];
  return true;
}
