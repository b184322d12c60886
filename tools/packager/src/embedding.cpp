// The embedded settings layer: two resources, the settings keyed by a key the upgrade code
// opens.
#include "embedding.h"

#include "core/utf16le.h"
#include "pe_image.h"
#include "settings_cipher.h"
#include "settings_text.h"

namespace {

constexpr uint16_t kRcData = 10;
constexpr uint16_t kSettingsTextResource = 8000;
constexpr uint16_t kSettingsKeyResource = 9000;
constexpr uint16_t kNeutralLanguage = 0;

// The launcher keys the cipher with the code-page bytes of a text; the texts this tool uses
// are ASCII, whose bytes are the same in every code page.
ByteString KeyBytes(const Text& text) { return ToUtf8(text); }

ByteString Enciphered(const Text& text, const Text& key) {
  ByteString bytes = Utf16LeBytes(text);
  ApplySettingsCipher(KeyBytes(key), bytes);
  return bytes;
}

Text Deciphered(ByteString bytes, const Text& key) {
  ApplySettingsCipher(KeyBytes(key), bytes);
  return TextFromUtf16Le(bytes);
}

bool ReadResources(const PeImage& image, ResourceDirectory& root, Text& error) {
  std::string_view section;
  uint32_t rva = 0;
  if (!image.ResourceSection(section, rva)) return true;
  return ParseResourceSection(section, rva, root, error);
}

}  // namespace

bool EmbedSettings(const ByteString& executable, const Text& settingsText, const Text& upgradeCode,
                   const Text& keyText, ByteString& result, Text& error) {
  if (!CheckUpgradeCode(upgradeCode, error)) return false;
  PeImage image;
  ResourceDirectory root;
  if (!image.Parse(executable, error) || !ReadResources(image, root, error)) return false;
  SetResource(root, kRcData, kSettingsTextResource, kNeutralLanguage,
              Enciphered(settingsText, keyText));
  SetResource(root, kRcData, kSettingsKeyResource, kNeutralLanguage,
              Enciphered(keyText, upgradeCode));
  return image.WithResources(root, result, error);
}

bool ReadEmbeddedSettings(const ByteString& executable, const Text& upgradeCode, Text& settingsText,
                          Text& error) {
  PeImage image;
  ResourceDirectory root;
  if (!image.Parse(executable, error) || !ReadResources(image, root, error)) return false;
  const ResourceData* text = FindResourceData(root, kRcData, kSettingsTextResource);
  const ResourceData* key = FindResourceData(root, kRcData, kSettingsKeyResource);
  if (!text || !key) {
    error = u"the executable carries no embedded settings";
    return false;
  }
  Text keyText = Deciphered(key->bytes, upgradeCode);
  if (!IsKeyText(keyText)) {
    error = u"the upgrade code does not open the embedded settings";
    return false;
  }
  settingsText = Deciphered(text->bytes, keyText);
  return true;
}
