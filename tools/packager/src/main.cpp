// embed-settings: writes a settings file into a launcher executable as its embedded,
// enciphered settings, or prints the embedded settings an executable carries.
#include <array>

#include "embedding.h"
#include "options.h"
#include "platform/process.h"
#include "settings_text.h"
#include "tool_io.h"

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kWrongCommandLine = 2;

int Refuse(const Text& reason) {
  tool::WriteError(u"embed-settings: " + reason + u"\n");
  return kRefused;
}

int PrintSettings(const ToolOptions& options) {
  ByteString executable;
  Text text;
  Text error;
  if (!tool::ReadWholeFile(options.executable, executable, error) ||
      !ReadEmbeddedSettings(executable, options.upgradeCode, text, error)) {
    return Refuse(error);
  }
  tool::WriteOutput(text);
  return kDone;
}

int Embed(const ToolOptions& options) {
  ByteString executable;
  ByteString settingsBytes;
  Text text;
  Text error;
  if (!tool::ReadWholeFile(options.executable, executable, error) ||
      !tool::ReadWholeFile(options.settingsFile, settingsBytes, error)) {
    return Refuse(error);
  }
  if (!DecodeSettingsFile(settingsBytes, text, error)) {
    return Refuse(options.settingsFile + u": " + error);
  }
  if (!options.verbatim) text = NormalizeSettingsText(text);
  std::array<uint8_t, 16> random;
  if (!tool::RandomBytes(random.data(), random.size())) {
    return Refuse(u"no random bytes for the settings key");
  }
  ByteString result;
  if (!EmbedSettings(executable, text, options.upgradeCode, BracedGuidText(random), result,
                     error)) {
    return Refuse(options.executable + u": " + error);
  }
  const Text& target = options.output.empty() ? options.executable : options.output;
  if (!options.replaceReadOnly && tool::IsReadOnly(target)) {
    return Refuse(u"'" + target + u"' is read-only; --replace-read-only writes over it");
  }
  if (!tool::ReplaceWithNewFile(target, result, options.executable, error)) return Refuse(error);
  tool::WriteOutput(u"embed-settings: " + target + u" now carries " +
                    DecimalText(static_cast<long long>(text.size())) +
                    u" characters of embedded settings\n");
  return kDone;
}

}  // namespace

int main() {
  ToolOptions options;
  Text error;
  if (!ParseToolOptions(os::CommandLineArguments(), options, error)) {
    tool::WriteError(u"embed-settings: " + error + u"\nTry 'embed-settings --help'.\n");
    return kWrongCommandLine;
  }
  if (options.help) {
    tool::WriteOutput(kToolUsage);
    return kDone;
  }
  return options.print ? PrintSettings(options) : Embed(options);
}
