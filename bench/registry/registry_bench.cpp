// Times one registry pass of the runtime search (enumeration, value reads, library probes,
// ranking and choice) as the default settings make it; prints the median of the given number
// of passes in microseconds, and the home it chose.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "platform/process.h"
#include "runtime/runtime_search.h"

int main(int argc, char** argv) {
  int passes = argc > 1 ? std::atoi(argv[1]) : 21;
  if (passes < 1) return 2;
  SearchPolicy policy;
  policy.wantJdk = policy.wantJre = true;
  policy.maxVersion = VersionNumber{kVersionUnbounded, kVersionUnbounded, kVersionUnbounded,
                                    kVersionUnbounded};
  std::vector<long long> micros;
  Text home;
  for (int i = 0; i < passes; ++i) {
    auto start = std::chrono::steady_clock::now();
    SearchRegistry(policy, os::RegistryView::Default, home);
    auto elapsed = std::chrono::steady_clock::now() - start;
    micros.push_back(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
  }
  std::nth_element(micros.begin(), micros.begin() + passes / 2, micros.end());
  os::WriteStandardOutput(DecimalText(micros[passes / 2]) + u" " + home + u"\n");
  return 0;
}
