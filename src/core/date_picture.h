// The date and time placeholder of output file names: the text between the first and the
// last "%" is a picture of the Windows time and date formatting functions, with "L" for the
// milliseconds.
#pragma once

#include <cstdint>

#include "core/text.h"

struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;      // 1 to 12
  uint16_t dayOfWeek = 0;  // 0 is Sunday
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
};

// Replaces the pictures of one kind and carries everything else through; false when the
// picture cannot be formatted.
using PictureFormatter = bool (*)(const Text& picture, const LocalTime& time, Text& result);

// The longest formatted picture, with its terminating NUL, that the formatters return.
constexpr size_t kPictureResultLimit = 260;

// Formats the placeholder with the time pictures first and the date pictures after; a
// picture a formatter rejects is kept as it stood before that formatter. A picture of
// kPictureResultLimit characters or more cannot fit, and the name stays as written.
void ExpandDateTimePlaceholder(Text& name, const LocalTime& time, PictureFormatter formatTime,
                               PictureFormatter formatDate);

// The picture rules, in English, for hosts without the Windows functions: h hh H HH m mm
// s ss t tt for the time; d dd ddd dddd M MM MMM MMMM y yy yyyy g gg for the date; text in
// single quotes is copied without them and two single quotes give one.
bool FormatTimePicture(const Text& picture, const LocalTime& time, Text& result);
bool FormatDatePicture(const Text& picture, const LocalTime& time, Text& result);
