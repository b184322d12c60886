// The INI text of the embedded settings, the private-profile rules of the settings file, and
// the layering of the two. Input: embedded text, file text, section, key.
#include <unistd.h>

#include <fstream>
#include <string>

#include "config/settings_sources.h"
#include "core/profile_text.h"
#include "fuzz_input.h"

namespace {

Text ProfileValue(const Text& fileText, const Text& section, const Text& key) {
  Text value;
  return FindProfileValue(fileText, section, key, value) ? value : Text();
}

bool StartsWithSpace(const Text& text) { return !text.empty() && text[0] == u' '; }

// The settings file the layering reads, rewritten for each input and removed at exit.
struct ScratchFile {
  std::string path = "/tmp/ini_fuzz_" + std::to_string(getpid()) + ".ini";
  ~ScratchFile() { unlink(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextList fields = fuzz::Fields(data, size, 4);
  const Text& section = fields[2];
  const Text& key = fields[3];
  DecodeProfileBytes(fuzz::Bytes(data, size));

  // Lines end at CR or LF, so no value found can hold either.
  Text fileValue = ProfileValue(fields[1], section, key);
  FUZZ_CHECK(fileValue.find_first_of(u"\r\n") == Text::npos);

  Text embeddedValue;
  IniText embedded(fields[0]);
  if (const IniSection* found = embedded.FindSection(section)) {
    if (const IniEntry* entry = found->FindKey(key)) embeddedValue = entry->value;
  }

  static const ScratchFile file;
  std::ofstream(file.path, std::ios::binary | std::ios::trunc) << ToUtf8(fields[1]);
  Text fileText = DecodeProfileBytes(ToUtf8(fields[1]));
  LayeredSettings layered(FromUtf8(file.path), fields[0]);
  Text result = layered.Get(section, key);

  fileValue = ProfileValue(fileText, section, key);
  Text plusValue = ProfileValue(fileText, section + u"+", key);
  if (!fileValue.empty()) {
    FUZZ_CHECK(result == fileValue);
  } else if (plusValue.empty()) {
    FUZZ_CHECK(result == embeddedValue);
  } else {
    // The embedded value, then the appended one: a space between them only, never in front.
    FUZZ_CHECK(result.compare(0, embeddedValue.size(), embeddedValue) == 0);
    FUZZ_CHECK(result.size() >= plusValue.size() &&
               result.compare(result.size() - plusValue.size(), Text::npos, plusValue) == 0);
    FUZZ_CHECK(!StartsWithSpace(result) || StartsWithSpace(embeddedValue) ||
               (embeddedValue.empty() && StartsWithSpace(plusValue)));
  }
  return 0;
}
