#pragma once

#include <QDateTime>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Date-time values and Qt's date-times, read as plain calendar dates and clock times (no time
// zone): days since 30 December 1899, the fraction being the time of day. Before the epoch the
// day counts down and the fraction still counts the time forward (29 Dec 1899 06:00 = -1.25).
// Both raise ConversionError for a date outside years 1 to 9999.
TWINSCOPE_EXPORT TDateTime FromQDateTime(const QDateTime& value);
TWINSCOPE_EXPORT QDateTime ToQDateTime(TDateTime value);

}  // namespace twinscope
