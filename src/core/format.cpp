// Formatting of message texts with %s and %d placeholders.
#include "core/format.h"

void FormatArgument::AppendAsText(Text& out) const {
  if (text_) {
    out += *text_;
  } else if (literal_) {
    out += literal_;
  } else if (isNumber_) {
    out += DecimalText(number_);
  }
}

void FormatArgument::AppendAsNumber(Text& out) const {
  if (isNumber_) out += DecimalText(number_);
}

Text FormatText(const Text& format, std::initializer_list<FormatArgument> arguments) {
  Text out;
  const FormatArgument* next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    if (c != u'%' || i + 1 == format.size()) {
      out.push_back(c);
      continue;
    }
    char16_t kind = format[++i];
    if (kind == u'%') {
      out.push_back(u'%');
    } else if (kind == u's' || kind == u'd') {
      if (next != arguments.end()) {
        kind == u's' ? next->AppendAsText(out) : next->AppendAsNumber(out);
        ++next;
      }
    } else {
      out.push_back(c);
      out.push_back(kind);
    }
  }
  return out;
}
