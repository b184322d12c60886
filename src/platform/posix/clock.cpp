// POSIX side of the clock: the local time, and the picture rules of core/date_picture.h.
#include "platform/clock.h"

#include <time.h>

namespace os {

LocalTime CurrentLocalTime() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tm local;
  localtime_r(&now.tv_sec, &local);
  LocalTime t;
  t.year = static_cast<uint16_t>(local.tm_year + 1900);
  t.month = static_cast<uint16_t>(local.tm_mon + 1);
  t.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
  t.day = static_cast<uint16_t>(local.tm_mday);
  t.hour = static_cast<uint16_t>(local.tm_hour);
  t.minute = static_cast<uint16_t>(local.tm_min);
  t.second = static_cast<uint16_t>(local.tm_sec);
  t.milliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
  return t;
}

bool FormatTimePicture(const Text& picture, const LocalTime& time, Text& result) {
  return ::FormatTimePicture(picture, time, result) && result.size() < kPictureResultLimit;
}

bool FormatDatePicture(const Text& picture, const LocalTime& time, Text& result) {
  return ::FormatDatePicture(picture, time, result) && result.size() < kPictureResultLimit;
}

}  // namespace os
