// Command-line words, ";" lists and %NAME% references. Input: text, list separator.
#include "core/environment_references.h"
#include "core/words.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextList fields = fuzz::Fields(data, size, 2);
  const Text& text = fields[0];
  const Text& separator = fields[1];

  ArgumentsFromCommandLine(text);
  TextList words;
  TokenizeArguments(text, words);
  size_t length = 0;
  for (const Text& word : words) length += word.size();
  FUZZ_CHECK(length <= text.size());
  if (text.find(u'"') == Text::npos) {
    // Without quotes the words are the pieces between spaces; a leading space gives an empty
    // first word.
    TextList pieces;
    SplitList(text, u" ", pieces);
    TextList expected;
    if (!text.empty() && text[0] == u' ') expected.push_back(Text());
    for (const Text& piece : pieces) {
      if (!piece.empty()) expected.push_back(piece);
    }
    FUZZ_CHECK(words == expected);
  }

  if (!separator.empty()) {
    TextList pieces;
    SplitList(text, separator, pieces);
    Text joined;
    for (size_t i = 0; i < pieces.size(); ++i) joined += (i ? separator : Text()) + pieces[i];
    // A separator at the very end opens no empty last piece.
    FUZZ_CHECK(joined == text || joined + separator == text);
  }

  // Unknown names stay as written; a value equal to its own reference changes nothing either.
  auto unknown = [](const Text&, Text&) { return false; };
  auto itself = [](const Text& name, Text& value) {
    value = u"%" + name + u"%";
    return true;
  };
  FUZZ_CHECK(ExpandReferences(text, unknown) == text);
  FUZZ_CHECK(ExpandReferences(text, itself) == text);
  auto named = [&separator](const Text&, Text& value) {
    value = separator;
    return true;
  };
  Text expanded = ExpandReferences(text, named);
  if (text.find(u'%') == Text::npos) FUZZ_CHECK(expanded == text);
  return 0;
}
