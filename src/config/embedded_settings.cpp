// The embedded settings text: two enciphered resources, the second keyed by the first.
#include "config/embedded_settings.h"

#include "core/utf16le.h"
#include "platform/embedded_resource.h"
#include "platform/process.h"

namespace {

constexpr unsigned kSettingsTextResource = 8000;
constexpr unsigned kSettingsKeyResource = 9000;

Text DecipherEmbeddedText(const ByteString& upgradeKey) {
  Text settingsKey = TextFromUtf16Le(os::ReadEncipheredResource(kSettingsKeyResource, upgradeKey));
  return TextFromUtf16Le(
      os::ReadEncipheredResource(kSettingsTextResource, os::ToThreadCodePage(settingsKey)));
}

}  // namespace

// The resources cannot change while the process runs, so the text is deciphered once per
// key; the readers that ask run one after another, never at the same time.
Text GetEmbeddedSettingsText(const Text& upgradeCode) {
  static bool deciphered = false;
  static ByteString cachedKey;
  static Text cachedText;
  ByteString upgradeKey = os::ToThreadCodePage(upgradeCode);
  if (!deciphered || cachedKey != upgradeKey) {
    cachedText = DecipherEmbeddedText(upgradeKey);
    cachedKey = upgradeKey;
    deciphered = true;
  }
  return cachedText;
}
