// The Virtual Machine Parameters setting: splitting, quotes, and percentage memory sizes.
// Input: the setting's value.
#include "fuzz_input.h"
#include "jvm/memory_options.h"
#include "jvm/vm_parameters.h"

namespace {

bool IsDigits(const Text& text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (!IsAsciiDigit(c)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Text value = fuzz::Fields(data, size, 1)[0];
  const MemoryFigures figures{uint64_t{16} << 30, uint64_t{1} << 47};
  TextList parameters = SplitVmParameters(value);
  for (size_t i = 0; i < parameters.size(); ++i) {
    Text parameter = parameters[i];
    // Runs of spaces only separate, but a leading one gives an empty first parameter; every
    // parameter ends where it should.
    FUZZ_CHECK(!parameter.empty() || (i == 0 && value[0] == u' '));
    FUZZ_CHECK(FindParameterEnd(parameter, 0) == parameter.size());
    size_t quoted = parameter.size();
    RemoveQuotes(parameter);
    FUZZ_CHECK(parameter.size() <= quoted);
    if (IsRelativeMemoryOption(parameter)) {
      // A percentage becomes the same option with a size in kilobytes.
      Text computed = ComputeMemoryOption(parameter, figures);
      NumberList list = ParseNumberList(parameter);
      FUZZ_CHECK(list.start >= 4 && list.start < parameter.size());
      FUZZ_CHECK(computed.compare(0, list.start, parameter, 0, list.start) == 0);
      FUZZ_CHECK(computed.back() == u'K');
      FUZZ_CHECK(IsDigits(computed.substr(list.start, computed.size() - list.start - 1)));
    }
    if (parameter.size() >= 4) FUZZ_CHECK(ParseStackSize(parameter.substr(4)) >= 0);
  }
  return 0;
}
