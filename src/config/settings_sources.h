// Readers of settings addressed by section and key: the settings file on disk, the embedded
// INI text, and the two layered together.
#pragma once

#include <map>

#include "core/text.h"
#include "platform/profile.h"

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

// One INI file read through the private-profile rules, a section at a time: the first Get
// of a section reads it and later ones answer from what was read, so that a start reads each
// file once. Changes made to the file after that are seen by the next reader.
class ProfileFile : public SettingsSource {
 public:
  explicit ProfileFile(Text path) : path_(path), file_(std::move(path)) {}
  Text Get(const Text& section, const Text& key) const override;

 private:
  Text ReadKey(const Text& section, const Text& key) const;

  Text path_;
  mutable os::ProfileSections file_;
  // By the name asked for; a section the file lacks is kept as no lines, read once as well.
  mutable std::map<Text, TextList> sections_;
};

// The embedded text overridden by the settings file, extended by its "<section>+" values.
class LayeredSettings : public SettingsSource {
 public:
  LayeredSettings(Text path, const Text& embeddedText);
  // Over a settings file that has been read from already, so that it is not read again.
  LayeredSettings(ProfileFile file, const Text& embeddedText);
  Text Get(const Text& section, const Text& key) const override;

 private:
  ProfileFile file_;
  IniText embedded_;
};
