#include "twinscope/scales/DayOfTheYearScale.h"

#include "twinscope/runtime/DateTime.h"

namespace twinscope {

tBottomDayOfTheYearScale::tBottomDayOfTheYearScale(TCustomAxisPanel& chart)
    : tScale(chart, ssBottom, "day of the year", &DayOfTheYearFromDate, "", "", clBlack) {}

double tBottomDayOfTheYearScale::DayOfTheYearFromDate(double x) {
    return DayOfYear(x);
}

}  // namespace twinscope
