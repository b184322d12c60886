// The INI parser for embedded settings, the settings-file reader and their layering.
#include "config/settings_sources.h"

#include "core/profile_text.h"

namespace {

// Characters up to U+0020, control characters included, are blank at a header's ends.
bool IsSectionHeader(const Text& line) {
  Text trimmed = TrimIf(line, [](char16_t c) { return c <= u' '; });
  return !trimmed.empty() && trimmed.front() == u'[' && trimmed.back() == u']';
}

}  // namespace

const IniEntry* IniSection::FindKey(const Text& key) const {
  for (const IniEntry& entry : entries) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

IniText::IniText(const Text& text) {
  TextList lines;
  SplitList(text, u"\r\n", lines);
  if (!lines.empty() && !lines.front().empty() && lines.front().front() == u'\uFEFF') {
    lines.front().erase(0, 1);
  }
  IniSection* current = nullptr;
  for (const Text& line : lines) {
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      size_t open = line.find(u'[');
      size_t close = line.rfind(u']');
      sections_.push_back(IniSection{line.substr(open + 1, close - open - 1), {}});
      current = &sections_.back();
      continue;
    }
    size_t equals = line.find(u'=');
    if (!current || equals == Text::npos) continue;
    current->entries.push_back(IniEntry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
  }
}

const IniSection* IniText::FindSection(const Text& name) const {
  for (const IniSection& section : sections_) {
    if (section.name == name) return &section;
  }
  return nullptr;
}

// A section read leaves out comment lines, so a key that starts with ";" is read by itself.
Text ProfileFile::Get(const Text& section, const Text& key) const {
  if (StartsWith(TrimProfileBlanks(key), u";")) return ReadKey(section, key);
  auto found = sections_.find(section);
  if (found == sections_.end()) found = sections_.emplace(section, file_.Read(section)).first;
  Text value;
  FindProfileKey(found->second, key, value);
  return value;
}

// The private-profile functions cut a value to the buffer; a count of size - 1 may mean a
// cut, so the buffer doubles until the value fits.
Text ProfileFile::ReadKey(const Text& section, const Text& key) const {
  uint32_t size = 256;
  for (;;) {
    std::vector<char16_t> buffer(size, u'\0');
    uint32_t count = os::ReadProfileString(section, key, path_, buffer.data(), size);
    if (count != size - 1 || size > 0x40000000u) {
      buffer[size - 1] = u'\0';
      return Text(buffer.data());
    }
    size *= 2;
  }
}

LayeredSettings::LayeredSettings(Text path, const Text& embeddedText)
    : LayeredSettings(ProfileFile(std::move(path)), embeddedText) {}

LayeredSettings::LayeredSettings(ProfileFile file, const Text& embeddedText)
    : file_(std::move(file)), embedded_(embeddedText) {}

Text LayeredSettings::Get(const Text& section, const Text& key) const {
  Text result;
  if (const IniSection* found = embedded_.FindSection(section)) {
    if (const IniEntry* entry = found->FindKey(key)) result = entry->value;
  }
  Text fileValue = file_.Get(section, key);
  if (!fileValue.empty()) return fileValue;
  Text plusValue = file_.Get(section + u"+", key);
  if (!plusValue.empty()) {
    // The one space goes only between two values: a leading one would make an empty first VM
    // parameter or class path entry.
    if (!result.empty() && plusValue.front() != u' ') result += u' ';
    result += plusValue;
  }
  return result;
}
