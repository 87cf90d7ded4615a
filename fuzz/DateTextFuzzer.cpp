// Dates: any format writes any value or refuses it with ConversionError; a value inside years
// 1 to 9999 decodes into a date and a time that encode back to its day and time of day, and
// its day of the year lies in 1..366; an ISO 8601 text reads as nothing or as such a value.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/DateTimeFormat.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace {

using namespace twinscope;

// Half a millisecond, the rounding of DecodeTime, with room for the fraction's own error.
constexpr double kTimeTolerance = 0.5 / 86400000.0 + 1e-9;

bool InCalendar(double value) {
    static const double first = EncodeDate(1, 1, 1);
    static const double last = EncodeDate(9999, 12, 31);
    return std::trunc(value) >= first && std::trunc(value) <= last;
}

void CheckDecoding(double value) {
    const DateParts date = DecodeDate(value);
    if (EncodeDate(date.Year, date.Month, date.Day) != std::trunc(value)) __builtin_trap();
    const TimeParts time = DecodeTime(value);
    const double fraction = std::fabs(value - std::trunc(value));
    const double encoded = EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond);
    const bool lastMillisecond = time == TimeParts{23, 59, 59, 999};
    if (!lastMillisecond && std::fabs(encoded - fraction) > kTimeTolerance) __builtin_trap();
    const std::uint16_t day = DayOfYear(value);
    if (day < 1 || day > 366 || CalendarYear(value) != date.Year) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const double value = input.Double();
    const std::string format = input.Text();
    const std::string iso = input.Text();

    if (std::isfinite(value) && InCalendar(value)) CheckDecoding(value);
    if (const auto read = ParseIsoDateTime(iso)) {
        if (!std::isfinite(*read) || !InCalendar(*read)) __builtin_trap();
        CheckDecoding(*read);
    }
    try {
        DateTimeToString(format, value);
    } catch (const ConversionError&) {
    }
    return 0;
}
