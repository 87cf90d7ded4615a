#pragma once

#include "twinscope/runtime/Export.h"
#include "twinscope/scales/Scale.h"

namespace twinscope {

// The day-of-the-year scale below the plot, following the date axis within one calendar year.
class TWINSCOPE_EXPORT tBottomDayOfTheYearScale : public tScale {
public:
    explicit tBottomDayOfTheYearScale(TCustomAxisPanel& chart);

    // The day of the year of a date-time value, 1 to 366; the time of day is dropped.
    static double DayOfTheYearFromDate(double x);
};

}  // namespace twinscope
