#include "twinscope/platform/QtDateTime.h"

#include <cmath>

namespace twinscope {

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MillisecondsPerDay = 86400000.0;
}  // namespace

TDateTime FromQDateTime(const QDateTime& value) {
    const double day = static_cast<double>(Epoch.daysTo(value.date()));
    const double time = value.time().msecsSinceStartOfDay() / MillisecondsPerDay;
    return day >= 0 ? day + time : day - time;
}

QDateTime ToQDateTime(TDateTime value) {
    const double day = std::trunc(value);
    const auto ms = static_cast<int>(std::llround(std::fabs(value - day) * MillisecondsPerDay));
    QDateTime result(Epoch.addDays(static_cast<qint64>(day)), QTime(0, 0), Qt::UTC);
    return result.addMSecs(std::min(ms, static_cast<int>(MillisecondsPerDay) - 1));
}

}  // namespace twinscope
