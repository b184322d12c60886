// %NAME% references in settings values.
#include "core/environment_references.h"

Text ExpandReferences(const Text& text, const VariableLookup& lookup) {
  Text expanded;
  Text value;
  size_t at = 0;
  while (at < text.size()) {
    size_t open = text.find(u'%', at);
    size_t close = open == Text::npos ? Text::npos : text.find(u'%', open + 1);
    if (close == Text::npos) break;
    Text name = text.substr(open + 1, close - open - 1);
    expanded.append(text, at, open - at);
    if (!name.empty() && lookup(name, value)) {
      expanded += value;
      at = close + 1;
    } else {
      expanded.append(text, open, close - open);
      at = close;
    }
  }
  expanded.append(text, at, Text::npos);
  return expanded;
}
