#include "twinscope/runtime/IsoDateTime.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace twinscope {

namespace {

// The value of count digits at p, or -1 when one of them is no digit.
std::int32_t Digits(const char* p, int count) {
    std::int32_t value = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned d = static_cast<unsigned char>(p[i]) - unsigned{'0'};
        if (d > 9) return -1;
        value = value * 10 + static_cast<std::int32_t>(d);
    }
    return value;
}

bool IsLastDayOrBefore(std::int32_t year, std::int32_t month, std::int32_t day) {
    static constexpr std::array<std::int32_t, 12> Days = {31, 28, 31, 30, 31, 30,
                                                          31, 31, 30, 31, 30, 31};
    const std::int32_t last =
        Days[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= last;
}

// The times of day to the minute, as EncodeTime gives them: most texts have no seconds, and a
// look-up spares the division.
const std::array<TDateTime, 24 * 60>& Minutes() {
    static const std::array<TDateTime, 24 * 60> minutes = [] {
        std::array<TDateTime, 24 * 60> m{};
        for (std::int32_t i = 0; i < 24 * 60; ++i)
            m[static_cast<std::size_t>(i)] = EncodeTime(i / 60, i % 60, 0, 0);
        return m;
    }();
    return minutes;
}

// hh:mm[:ss[.f[f[f]]]] from p to end, as a fraction of a day; NotATime for other texts.
constexpr TDateTime NotATime = -1;

TDateTime ParseTime(const char* p, const char* end) {
    if (end - p < 5 || p[2] != ':') return NotATime;
    const std::int32_t hour = Digits(p, 2);
    const std::int32_t minute = Digits(p + 3, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return NotATime;
    p += 5;
    if (p == end) return Minutes()[static_cast<std::size_t>(hour * 60 + minute)];
    if (*p != ':' || end - p < 3) return NotATime;
    const std::int32_t second = Digits(p + 1, 2);
    if (second < 0 || second > 59) return NotATime;
    p += 3;
    std::int32_t millisecond = 0;
    if (p != end) {
        if (*p != '.') return NotATime;
        const char* const first = ++p;
        std::int32_t scale = 100;
        while (p != end && p - first < 3 && *p >= '0' && *p <= '9') {
            millisecond += (*p - '0') * scale;
            scale /= 10;
            ++p;
        }
        if (p == first || p != end) return NotATime;
    }
    return EncodeTime(hour, minute, second, millisecond);
}

}  // namespace

std::optional<TDateTime> ParseIsoDateTime(std::string_view text) {
    return TIsoDateTimeReader().Read(text);
}

std::optional<TDateTime> TIsoDateTimeReader::Read(std::string_view text) {
    if (text.size() < DateLength) return std::nullopt;
    const char* p = text.data();
    if (!known_ || std::memcmp(p, day_, DateLength) != 0) {
        known_ = false;
        if (p[4] != '-' || p[7] != '-') return std::nullopt;
        const std::int32_t year = Digits(p, 4);
        const std::int32_t month = Digits(p + 5, 2);
        const std::int32_t day = Digits(p + 8, 2);
        if (year < 1 || month < 1 || month > 12 || day < 1 || !IsLastDayOrBefore(year, month, day))
            return std::nullopt;
        dayValue_ = EncodeDate(year, month, day);
        std::memcpy(day_, p, DateLength);
        known_ = true;
    }
    if (text.size() == DateLength) return dayValue_;
    if (text[DateLength] != 'T' && text[DateLength] != ' ') return std::nullopt;
    const TDateTime time = ParseTime(p + DateLength + 1, p + text.size());
    if (time == NotATime) return std::nullopt;
    // Before the epoch the day counts down while the time of day still counts forward.
    return dayValue_ < 0 ? dayValue_ - time : dayValue_ + time;
}

}  // namespace twinscope
