// The local time and its formatting with date and time pictures.
#pragma once

#include "core/date_picture.h"

namespace os {

LocalTime CurrentLocalTime();
// The user's locale formats the pictures (GetTimeFormatW and GetDateFormatW on Windows, the
// English rules of core/date_picture.h elsewhere); false when the picture is rejected or its
// result does not fit 260 characters.
bool FormatTimePicture(const Text& picture, const LocalTime& time, Text& result);
bool FormatDatePicture(const Text& picture, const LocalTime& time, Text& result);

}  // namespace os
