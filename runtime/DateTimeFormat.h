#pragma once

#include <string>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

// Writes a date-time value through a format such as "m/d/yyyy" or "hh:nn:ss AM/PM".
// Specifiers (in any case):
//
//   c        short date, then a blank and the long time when the time of day is not 0
//   d dd     day of the month, dd with a leading zero
//   ddd dddd short and long day name
//   ddddd dddddd  short and long date format
//   m mm     month number, mm with a leading zero; right after an h or hh (literal text in
//            between does not count) they are minutes
//   mmm mmmm short and long month name
//   yy yyyy  two-digit and four-digit year
//   h hh n nn s ss   hour, minute, second; the doubled ones with a leading zero
//   z zzz    millisecond, zzz with leading zeros
//   t tt     short and long time format
//   am/pm a/p  12-hour clock, the marker written in the case of the format ("AM/PM" -> "PM")
//   ampm     12-hour clock with TimeAMString or TimePMString
//   /  :     DateSeparator and TimeSeparator
//   '..' ".." literal text
//
// With any am/pm marker in the format, h and hh count 1 to 12. Other characters are copied.
// An empty format is "c". Throws ConversionError when the format needs the date of a value
// outside years 1 to 9999.
TWINSCOPE_EXPORT std::string DateTimeToString(const std::string& format, TDateTime value);
TWINSCOPE_EXPORT std::string DateTimeToString(const std::string& format, TDateTime value,
                                              const FormatSettings& settings);

}  // namespace twinscope
