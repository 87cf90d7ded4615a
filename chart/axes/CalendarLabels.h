#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// A calendar whose numbers start again each year, which an axis of dates may label instead of
// the dates themselves: the day of the year, the ISO 8601 week, the month.
enum class TCalendarLabels : std::uint8_t { calNone, calDayOfYear, calIsoWeek, calMonth };
using enum TCalendarLabels;

// The dates such an axis labels within a range of dates, latest first, at most
// MaxLabelsPerPass of them. Each year (ISO year for weeks) gives its first day or week, every
// one whose number is a multiple of the step, and its last one, so that the numbers read up to
// 365 (366, 52, 53) and start again at 1, each at its date; months go by the step from January
// (1, 4, 7, 10 by quarters). The step
// comes from the increment, in days: whole days; whole weeks; 1, 2, 3, 4, 6 or 12 months.
TWINSCOPE_EXPORT std::vector<double> CalendarLabelValues(TCalendarLabels calendar,
                                                         TScaleRange dates, double increment);

// Of the labels at these values (latest first), those that stand at least `room` pixels apart on
// the map, latest first: the first day, week or month of each year is kept before any other,
// then the others from the latest, each only where it leaves the room to those kept.
TWINSCOPE_EXPORT std::vector<double> SpacedCalendarLabels(TCalendarLabels calendar,
                                                          const std::vector<double>& values,
                                                          const TScaleMap& map, std::int64_t room);

// The number a date has in the calendar: 1 to 366, 1 to 53, 1 to 12; 0 outside the calendar
// or for calNone.
TWINSCOPE_EXPORT std::int32_t CalendarNumber(TCalendarLabels calendar, double date);
// That number as a label; empty where it is 0.
TWINSCOPE_EXPORT std::string CalendarLabelText(TCalendarLabels calendar, double date);

// The Monday that begins week 1 of an ISO year: the week holding 4 January.
TWINSCOPE_EXPORT double IsoWeekOneMonday(std::int32_t year);
// The ISO week (1 to 53) of a date.
TWINSCOPE_EXPORT std::int32_t IsoWeek(double date);

}  // namespace twinscope
