// Readers of settings addressed by section and key: the settings file on disk, the embedded
// INI text, and the two layered together.
#pragma once

#include "core/text.h"

struct IniEntry {
  Text key;
  Text value;
};

struct IniSection {
  Text name;
  std::vector<IniEntry> entries;
  // The first entry with exactly this key (case-sensitive), or null.
  const IniEntry* FindKey(const Text& key) const;
};

// An in-memory INI document, parsed once and never changed.
class IniText {
 public:
  explicit IniText(const Text& text);
  // The first section with exactly this name (case-sensitive), or null.
  const IniSection* FindSection(const Text& name) const;

 private:
  std::vector<IniSection> sections_;
};

class SettingsSource {
 public:
  virtual Text Get(const Text& section, const Text& key) const = 0;

 protected:
  ~SettingsSource() = default;
};

// One INI file read through the private-profile rules; read again at every Get.
class ProfileFile : public SettingsSource {
 public:
  explicit ProfileFile(Text path) : path_(std::move(path)) {}
  Text Get(const Text& section, const Text& key) const override;

 private:
  Text path_;
};

// The embedded text overridden by the settings file, extended by its "<section>+" values.
class LayeredSettings : public SettingsSource {
 public:
  LayeredSettings(Text path, const Text& embeddedText);
  Text Get(const Text& section, const Text& key) const override;

 private:
  ProfileFile file_;
  IniText embedded_;
};
