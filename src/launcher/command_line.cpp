// Splitting of command lines and separator-delimited setting values.
#include "launcher/command_line.h"

#include "platform/process.h"

TextList ArgumentsFromCommandLine(const Text& commandLine) {
  TextList words;
  TokenizeArguments(Trim(commandLine), words);
  if (!words.empty()) words.erase(words.begin());
  return words;
}

void BuildArgumentList(TextList& arguments) {
  arguments = os::CommandLineArguments();
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

void SplitList(const Text& text, const Text& separator, TextList& pieces) {
  pieces.clear();
  if (text.empty()) return;
  size_t pos = 0;
  for (;;) {
    size_t found = separator.empty() ? Text::npos : text.find(separator, pos);
    if (found == Text::npos) break;
    pieces.push_back(text.substr(pos, found - pos));
    pos = found + separator.size();
    if (pos >= text.size()) return;
  }
  pieces.push_back(pos == 0 ? text : text.substr(pos));
}
