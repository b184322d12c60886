// Date and time pictures in output file names. Input: eight bytes of time, then the name.
#include <cstring>

#include "core/date_picture.h"
#include "fuzz_input.h"
#include "platform/clock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  LocalTime time;
  time.year = static_cast<uint16_t>(1601 + data[0] * 8);
  time.month = static_cast<uint16_t>(1 + data[1] % 12);
  time.dayOfWeek = static_cast<uint16_t>(data[2] % 7);
  time.day = static_cast<uint16_t>(1 + data[3] % 31);
  time.hour = static_cast<uint16_t>(data[4] % 24);
  time.minute = static_cast<uint16_t>(data[5] % 60);
  time.second = static_cast<uint16_t>(data[6] % 60);
  time.milliseconds = static_cast<uint16_t>(data[7] * 4 % 1000);
  const Text written = fuzz::Fields(data + 8, size - 8, 1)[0];

  Text name = written;
  ExpandDateTimePlaceholder(name, time, os::FormatTimePicture, os::FormatDatePicture);
  size_t first = written.find(u'%');
  if (first == Text::npos) {
    FUZZ_CHECK(name == written);
    return 0;
  }
  // Only the text between the first and the last sign changes, and it stays within what the
  // formatting calls can return.
  Text suffix = written.substr(written.rfind(u'%') + 1);
  FUZZ_CHECK(name.compare(0, first, written, 0, first) == 0);
  FUZZ_CHECK(name.size() >= suffix.size() &&
             name.compare(name.size() - suffix.size(), Text::npos, suffix) == 0);
  if (name != written) {
    FUZZ_CHECK(name.size() - first - suffix.size() < kPictureResultLimit);
  }
  return 0;
}
