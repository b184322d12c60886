// Parameter splitting and quote removal for the VM parameters setting.
#include "jvm/vm_parameters.h"

namespace {

// The quote that closes the span opened at `open`; a doubled quote closes on its second one.
size_t ClosingQuote(const Text& text, size_t open) {
  size_t close = text.find(u'"', open + 1);
  if (close != Text::npos && close + 1 < text.size() && text[close + 1] == u'"') ++close;
  return close;
}

}  // namespace

size_t FindParameterEnd(const Text& value, size_t start) {
  size_t space = value.find(u' ', start);
  size_t quote = value.find(u'"', start);
  while (quote != Text::npos) {
    if (space == Text::npos) return value.size();
    if (space < quote) return space;
    size_t close = ClosingQuote(value, quote);
    if (close == Text::npos) return space;
    quote = value.find(u'"', close + 1);
    space = value.find(u' ', close + 1);
  }
  return space != Text::npos ? space : value.size();
}

void RemoveQuotes(Text& parameter) {
  size_t at = parameter.find(u'"');
  while (at != Text::npos) {
    size_t close = ClosingQuote(parameter, at);
    if (close == Text::npos) return;
    Text inside = parameter.substr(at + 1, close - at - 1);
    parameter.replace(at, close - at + 1, inside);
    at = parameter.find(u'"', at + inside.size());
  }
}

TextList SplitVmParameters(const Text& value) {
  TextList parameters;
  size_t position = 0;
  while (position < value.size()) {
    size_t end = FindParameterEnd(value, position);
    parameters.push_back(value.substr(position, end - position));
    position = end;
    while (position < value.size() && value[position] == u' ') ++position;
  }
  return parameters;
}
