// Times one registry pass of the runtime search (enumeration, value reads, library probes,
// ranking and choice) as the default settings make it, over the classic roots or, with
// "vendors", today's vendors' roots; prints the median of the given number of passes in
// microseconds, and the home it chose.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/process.h"
#include "runtime/runtime_search.h"

int main(int argc, char** argv) {
  int passes = argc > 1 ? std::atoi(argv[1]) : 21;
  if (passes < 1) return 2;
  RegistrySet set = argc > 2 && std::strcmp(argv[2], "vendors") == 0 ? RegistrySet::Vendors
                                                                       : RegistrySet::Classic;
  SearchPolicy policy;
  policy.wantJdk = policy.wantJre = true;
  policy.maxVersion = VersionNumber{kVersionUnbounded, kVersionUnbounded, kVersionUnbounded,
                                    kVersionUnbounded};
  std::vector<long long> micros;
  RegistryHit hit;
  for (int i = 0; i < passes; ++i) {
    auto start = std::chrono::steady_clock::now();
    SearchRegistry(policy, set, os::RegistryView::Default, Text(), hit);
    auto elapsed = std::chrono::steady_clock::now() - start;
    micros.push_back(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
  }
  std::nth_element(micros.begin(), micros.begin() + passes / 2, micros.end());
  os::WriteStandardOutput(DecimalText(micros[passes / 2]) + u" " + hit.home + u"\n");
  return 0;
}
