// The text of the uncaught-exception report.
#include "ui/exception_report.h"

Text WithCrLfLineEnds(const Text& text) {
  Text lines;
  lines.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == u'\n' && (at == 0 || text[at - 1] != u'\r')) lines += u'\r';
    lines += text[at];
  }
  return lines;
}
