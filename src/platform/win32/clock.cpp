// Win32 side of the clock: the local time and the locale's time and date pictures.
#include "platform/clock.h"

#include "platform/win32/win32_api.h"

namespace os {

namespace {

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  SYSTEMTIME s;
  s.wYear = t.year;
  s.wMonth = t.month;
  s.wDayOfWeek = t.dayOfWeek;
  s.wDay = t.day;
  s.wHour = t.hour;
  s.wMinute = t.minute;
  s.wSecond = t.second;
  s.wMilliseconds = t.milliseconds;
  return s;
}

}  // namespace

LocalTime CurrentLocalTime() {
  SYSTEMTIME s;
  GetLocalTime(&s);
  return {s.wYear, s.wMonth, s.wDayOfWeek, s.wDay, s.wHour, s.wMinute, s.wSecond, s.wMilliseconds};
}

// GetTimeFormatW and GetDateFormatW share one shape: each replaces its own pictures.
using PictureFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int);

static bool FormatPicture(PictureFormatter format, const Text& picture, const LocalTime& time,
                          Text& result) {
  SYSTEMTIME s = ToSystemTime(time);
  wchar_t buffer[kPictureResultLimit];
  int length = format(LOCALE_USER_DEFAULT, 0, &s, Wide(picture), buffer, kPictureResultLimit);
  if (length <= 0) return false;
  result = FromWide(buffer);
  return true;
}

bool FormatTimePicture(const Text& picture, const LocalTime& time, Text& result) {
  return FormatPicture(GetTimeFormatW, picture, time, result);
}

bool FormatDatePicture(const Text& picture, const LocalTime& time, Text& result) {
  return FormatPicture(GetDateFormatW, picture, time, result);
}

}  // namespace os
