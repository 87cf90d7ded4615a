#include "twinscope/scales/CalendarScale.h"

namespace twinscope {

namespace {
// The scale's values are the master's dates; only their labels differ.
double SameDate(double x) {
    return x;
}
}  // namespace

tBottomCalendarScale::tBottomCalendarScale(TCustomAxisPanel& chart, TCalendarLabels calendar)
    : tScale(chart, ssBottom, TitleOf(calendar), &SameDate, "", "", clBlack) {
    SetCalendarLabels(calendar);
}

const char* tBottomCalendarScale::TitleOf(TCalendarLabels calendar) {
    switch (calendar) {
        case calIsoWeek:
            return "ISO week";
        case calMonth:
            return "month";
        case calDayOfYear:
        case calNone:
            break;
    }
    return "day of the year";
}

}  // namespace twinscope
