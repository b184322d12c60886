// Date and time placeholders of output file names.
#include "core/date_picture.h"

namespace {

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

Text Number(unsigned value, unsigned width) {
  Text digits = DecimalText(value);
  while (digits.size() < width) digits.insert(digits.begin(), u'0');
  return digits;
}

// One run of a picture letter; returns false for letters of no picture of this kind.
using RunFormatter = bool (*)(char16_t letter, size_t count, const LocalTime& time, Text& out);

bool TimeRun(char16_t letter, size_t count, const LocalTime& t, Text& out) {
  unsigned width = count >= 2 ? 2 : 1;
  switch (letter) {
    case u'h':
      out += Number(t.hour % 12 == 0 ? 12 : t.hour % 12, width);
      return true;
    case u'H':
      out += Number(t.hour, width);
      return true;
    case u'm':
      out += Number(t.minute, width);
      return true;
    case u's':
      out += Number(t.second, width);
      return true;
    case u't':
      out += count >= 2 ? (t.hour < 12 ? u"AM" : u"PM") : (t.hour < 12 ? u"A" : u"P");
      return true;
    default:
      return false;
  }
}

bool DateRun(char16_t letter, size_t count, const LocalTime& t, Text& out) {
  switch (letter) {
    case u'd':
      if (count <= 2) {
        out += Number(t.day, static_cast<unsigned>(count));
      } else {
        Text name = FromAscii(kDayNames[t.dayOfWeek % 7]);
        out += count == 3 ? name.substr(0, 3) : name;
      }
      return true;
    case u'M':
      if (count <= 2) {
        out += Number(t.month, static_cast<unsigned>(count));
      } else {
        Text name = FromAscii(kMonthNames[(t.month + 11) % 12]);
        out += count == 3 ? name.substr(0, 3) : name;
      }
      return true;
    case u'y':
      out += count <= 2 ? Number(t.year % 100, static_cast<unsigned>(count)) : Number(t.year, 1);
      return true;
    case u'g':
      out += u"A.D.";
      return true;
    default:
      return false;
  }
}

bool FormatPicture(const Text& picture, const LocalTime& time, RunFormatter run, Text& result) {
  result.clear();
  size_t i = 0;
  while (i < picture.size()) {
    char16_t c = picture[i];
    if (c == u'\'') {
      // Quoted text is literal; a doubled quote stands for one.
      size_t j = i + 1;
      while (j < picture.size()) {
        if (picture[j] == u'\'' && j + 1 < picture.size() && picture[j + 1] == u'\'') {
          result += u'\'';
          j += 2;
        } else if (picture[j] == u'\'') {
          break;
        } else {
          result += picture[j++];
        }
      }
      i = j + 1;
      continue;
    }
    size_t count = 1;
    while (i + count < picture.size() && picture[i + count] == c) ++count;
    if (run(c, count, time, result)) {
      i += count;
    } else {
      result += c;
      ++i;
    }
  }
  return true;
}

}  // namespace

bool FormatTimePicture(const Text& picture, const LocalTime& time, Text& result) {
  return FormatPicture(picture, time, TimeRun, result);
}

bool FormatDatePicture(const Text& picture, const LocalTime& time, Text& result) {
  return FormatPicture(picture, time, DateRun, result);
}

void ExpandDateTimePlaceholder(Text& name, const LocalTime& time, PictureFormatter formatTime,
                               PictureFormatter formatDate) {
  size_t first = name.find(u'%');
  if (first == Text::npos) return;
  size_t last = name.rfind(u'%');
  Text picture = last > first ? name.substr(first + 1, last - first - 1) : Text();
  Text milliseconds = DecimalText(time.milliseconds);
  Text withMilliseconds;
  for (char16_t c : picture) {
    if (c == u'L') {
      withMilliseconds += milliseconds;
    } else {
      withMilliseconds += c;
    }
  }
  // The formatting calls write at most 260 characters, and some overrun their own stack on a
  // longer picture; such a name is used as written.
  if (withMilliseconds.size() >= kPictureResultLimit) return;
  Text timed;
  if (!formatTime(withMilliseconds, time, timed)) timed = withMilliseconds;
  Text dated;
  if (!formatDate(timed, time, dated)) dated = timed;
  name = name.substr(0, first) + dated + name.substr(last + 1);
}
