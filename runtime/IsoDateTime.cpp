#include "twinscope/runtime/IsoDateTime.h"

#include <cstdint>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

// Reads exactly `count` digits at `pos` and moves past them.
std::optional<std::int32_t> Digits(std::string_view text, std::size_t& pos, std::size_t count) {
    if (text.size() - pos < count) return std::nullopt;
    std::int32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return value;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// hh:mm[:ss[.f[f[f]]]] at pos, to the end of the text, as a fraction of a day.
std::optional<TDateTime> ParseTime(std::string_view text, std::size_t pos) {
    const auto hour = Digits(text, pos, 2);
    if (!hour || !Expect(text, pos, ':')) return std::nullopt;
    const auto minute = Digits(text, pos, 2);
    if (!minute) return std::nullopt;
    std::int32_t second = 0;
    std::int32_t millisecond = 0;
    if (Expect(text, pos, ':')) {
        const auto s = Digits(text, pos, 2);
        if (!s) return std::nullopt;
        second = *s;
        if (Expect(text, pos, '.')) {
            std::int32_t scale = 100;
            const std::size_t first = pos;
            while (pos < text.size() && pos - first < 3 && text[pos] >= '0' && text[pos] <= '9') {
                millisecond += (text[pos] - '0') * scale;
                scale /= 10;
                ++pos;
            }
            if (pos == first) return std::nullopt;
        }
    }
    if (pos != text.size()) return std::nullopt;
    try {
        return EncodeTime(*hour, *minute, second, millisecond);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<TDateTime> ParseIsoDateTime(std::string_view text) {
    std::size_t pos = 0;
    const auto year = Digits(text, pos, 4);
    if (!year || !Expect(text, pos, '-')) return std::nullopt;
    const auto month = Digits(text, pos, 2);
    if (!month || !Expect(text, pos, '-')) return std::nullopt;
    const auto day = Digits(text, pos, 2);
    if (!day) return std::nullopt;

    TDateTime date = 0;
    try {
        date = EncodeDate(*year, *month, *day);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    if (pos == text.size()) return date;
    if (text[pos] != 'T' && text[pos] != ' ') return std::nullopt;
    const auto time = ParseTime(text, pos + 1);
    if (!time) return std::nullopt;
    // Before the epoch the day counts down while the time of day still counts forward.
    return date < 0 ? date - *time : date + *time;
}

}  // namespace twinscope
