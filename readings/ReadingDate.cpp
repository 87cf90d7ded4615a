#include "twinscope/readings/ReadingDate.h"

#include <string>

#include "twinscope/readings/Readings.h"

namespace twinscope {

namespace {

// The number of count digits at text's start, or -1 when one of them is no digit.
std::int32_t Digits(const char* text, int count) {
    std::int32_t n = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned d = static_cast<unsigned char>(text[i]) - '0';
        if (d > 9) return -1;
        n = n * 10 + static_cast<std::int32_t>(d);
    }
    return n;
}

}  // namespace

std::optional<TDateTime> DayOfDigits(std::int32_t year, std::int32_t month, std::int32_t day) {
    static constexpr std::int32_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
    const std::int32_t last = Days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    if (day > last) return std::nullopt;
    return EncodeDate(year, month, day);
}

std::optional<TDateTime> ParseDigitDate(std::string_view text, bool dashes) {
    const std::size_t size = dashes ? 10 : 8;
    if (text.size() != size) return std::nullopt;
    const char* p = text.data();
    if (dashes && (p[4] != '-' || p[7] != '-')) return std::nullopt;
    const std::int32_t year = Digits(p, 4);
    const std::int32_t month = Digits(p + (dashes ? 5 : 4), 2);
    const std::int32_t day = Digits(p + (dashes ? 8 : 6), 2);
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    return DayOfDigits(year, month, day);
}

TDateTime ParseDayDate(std::string_view text, std::int32_t line) {
    const std::optional<TDateTime> date = ParseDigitDate(text);
    if (!date) throw ReadingsError(line, "'" + std::string(text) + "' is not a date YYYY-MM-DD");
    return *date;
}

}  // namespace twinscope
