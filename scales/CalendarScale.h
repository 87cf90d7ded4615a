#pragma once

#include "twinscope/chart/axes/CalendarLabels.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/scales/Scale.h"

namespace twinscope {

// A scale below the plot that numbers the date axis's days in a calendar that starts again
// each year: the day of the year (1 to 365, or 366), the ISO week or the month. Unlike the
// day-of-the-year scale it reads across new years (..., 350, 365, 1, 20, ...), each number at
// its date; where the last day of a year and the first of the next would overlap, the first
// stands.
class TWINSCOPE_EXPORT tBottomCalendarScale : public tScale {
public:
    tBottomCalendarScale(TCustomAxisPanel& chart, TCalendarLabels calendar);

    // "day of the year", "ISO week", "month".
    static const char* TitleOf(TCalendarLabels calendar);
};

}  // namespace twinscope
