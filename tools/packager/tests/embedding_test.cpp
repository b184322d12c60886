// Embedding settings into an image and reading them back, as the launcher would find them.
#include "embedding.h"

#include <gtest/gtest.h>

#include "core/utf16le.h"
#include "pe_builder.h"
#include "pe_image.h"
#include "settings_cipher.h"

namespace {

using namespace test_pe;

const Text kUpgradeCode = u"{11111111-2222-3333-4444-555555555555}";
const Text kKey = u"{AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEEE}";
const Text kSettings = u"[Java Runtime Environment]\r\nMain Class=com.example.App\r\n";

std::string Launcher() {
  static ResourceDirectory strings = [] {
    ResourceDirectory root;
    SetResource(root, 6, 14, 0x421, "string table");
    SetResource(root, 24, 1, 0x421, "<assembly/>");
    return root;
  }();
  ImageLayout layout;
  layout.sections = {{".text", std::string(0x400, '\x90'), nullptr, kCode},
                   {".rsrc", "", &strings, kResources},
                   {".reloc", std::string(12, '\x01'), nullptr, kRelocations}};
  layout.directories = {{2, 1, 0, 0}, {5, 2, 0, 12}};
  return BuildImage(layout);
}

ResourceDirectory ResourcesOf(const std::string& image) {
  PeImage pe;
  Text error;
  std::string_view section;
  uint32_t rva = 0;
  ResourceDirectory root;
  EXPECT_TRUE(pe.Parse(image, error) && pe.ResourceSection(section, rva) &&
              ParseResourceSection(section, rva, root, error));
  return root;
}

TEST(EmbeddingTest, WritesBothResourcesAsTheLauncherDeciphersThem) {
  ByteString result;
  Text error;
  ASSERT_TRUE(EmbedSettings(Launcher(), kSettings, kUpgradeCode, kKey, result, error));
  ResourceDirectory root = ResourcesOf(result);
  const ResourceData* key = FindResourceData(root, 10, 9000);
  const ResourceData* text = FindResourceData(root, 10, 8000);
  ASSERT_TRUE(key && text);
  EXPECT_EQ(key->bytes.size(), 76u);
  // What the launcher does: the upgrade code opens the key, the key opens the settings.
  ByteString keyBytes = key->bytes;
  ApplySettingsCipher(ToUtf8(kUpgradeCode), keyBytes);
  EXPECT_EQ(TextFromUtf16Le(keyBytes), kKey);
  ByteString textBytes = text->bytes;
  ApplySettingsCipher(ToUtf8(kKey), textBytes);
  EXPECT_EQ(TextFromUtf16Le(textBytes), kSettings);
  // The launcher's own resources are still there, untouched.
  std::string tree = TreeText(root);
  EXPECT_NE(tree.find("6/14/1057 12 cp0 string table"), std::string::npos);
  EXPECT_NE(tree.find("24/1/1057 11 cp0 <assembly/>"), std::string::npos);
}

TEST(EmbeddingTest, ReadsBackUnderTheRightCodeOnly) {
  ByteString result;
  Text error;
  ASSERT_TRUE(EmbedSettings(Launcher(), kSettings, kUpgradeCode, kKey, result, error));
  Text text;
  ASSERT_TRUE(ReadEmbeddedSettings(result, kUpgradeCode, text, error)) << ToUtf8(error);
  EXPECT_EQ(text, kSettings);
  EXPECT_FALSE(
      ReadEmbeddedSettings(result, u"{11111111-2222-3333-4444-555555555556}", text, error));
  EXPECT_NE(ToUtf8(error).find("does not open"), std::string::npos);
  EXPECT_FALSE(ReadEmbeddedSettings(Launcher(), kUpgradeCode, text, error));
  EXPECT_NE(ToUtf8(error).find("no embedded settings"), std::string::npos);
}

TEST(EmbeddingTest, EmbeddingAgainReplacesTheEarlierSettings) {
  ByteString first;
  ByteString second;
  Text error;
  ASSERT_TRUE(EmbedSettings(Launcher(), kSettings, kUpgradeCode, kKey, first, error));
  ASSERT_TRUE(EmbedSettings(first, u"[Application]\r\n", u"other", kKey, second, error));
  Text text;
  ASSERT_TRUE(ReadEmbeddedSettings(second, u"other", text, error));
  EXPECT_EQ(text, u"[Application]\r\n");
  EXPECT_EQ(TreeText(ResourcesOf(second)).find("10/8000/0"),
            TreeText(ResourcesOf(second)).rfind("10/8000/"));
}

TEST(EmbeddingTest, RefusesAnEmptyUpgradeCodeAndANonImage) {
  ByteString result;
  Text error;
  EXPECT_FALSE(EmbedSettings(Launcher(), kSettings, u"", kKey, result, error));
  EXPECT_NE(ToUtf8(error).find("empty"), std::string::npos);
  EXPECT_FALSE(EmbedSettings("#!/bin/sh\n", kSettings, kUpgradeCode, kKey, result, error));
  EXPECT_NE(ToUtf8(error).find("not a PE"), std::string::npos);
  EXPECT_TRUE(result.empty());
}

}  // namespace
