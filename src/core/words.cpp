// Splitting of command lines into words.
#include "core/words.h"

TextList ArgumentsFromCommandLine(const Text& commandLine) {
  TextList words;
  TokenizeArguments(Trim(commandLine), words);
  if (!words.empty()) words.erase(words.begin());
  return words;
}

void TokenizeArguments(const Text& text, TextList& words) {
  size_t p = 0;
  const size_t end = text.size();
  while (p < end) {
    size_t next;
    if (text[p] == u'"') {
      size_t close = text.find(u'"', p + 1);
      if (close == Text::npos) {
        words.push_back(text.substr(p + 1));
        return;
      }
      words.push_back(text.substr(p + 1, close - p - 1));
      next = close + 1;
    } else {
      size_t space = text.find(u' ', p);
      if (space == Text::npos) {
        words.push_back(text.substr(p));
        return;
      }
      words.push_back(text.substr(p, space - p));
      next = space;
    }
    while (next < end && text[next] == u' ') ++next;
    p = next;
  }
}
