#include "twinscope/runtime/DateTimeFormat.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

namespace twinscope {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[at + i]) != prefix[i]) return false;
    }
    return true;
}

std::string Padded(int number, std::size_t width) {
    std::string text = std::to_string(number);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// Any am/pm marker outside quotes switches the whole format to the 12-hour clock.
bool UsesTwelveHourClock(std::string_view format) {
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                   StartsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

class DateTimeWriter {
public:
    DateTimeWriter(TDateTime value, const FormatSettings& settings)
        : value_(value), settings_(settings) {}

    // The named formats (c, ddddd, t, ...) expand one level deep inside the one given; deeper
    // expansions write nothing, so a locale format that names itself cannot loop.
    void Write(std::string_view format, int depth) {
        const bool twelveHour = UsesTwelveHourClock(format);
        bool afterHour = false;
        std::size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            const char lower = Lower(c);
            std::size_t run = 1;
            while (i + run < format.size() && Lower(format[i + run]) == lower)
                ++run;
            bool specifier = true;
            std::size_t used = 1;
            switch (lower) {
                case '\'':
                case '"': {
                    const auto close = format.find(c, i + 1);
                    const auto end = close == std::string_view::npos ? format.size() : close;
                    out_ += format.substr(i + 1, end - i - 1);
                    used = end - i + 1;
                    specifier = false;
                    break;
                }
                case 'c':
                    Expand(settings_.ShortDateFormat, depth);
                    if (Time().Hour != 0 || Time().Minute != 0 || Time().Second != 0 ||
                        Time().Millisecond != 0) {
                        out_ += ' ';
                        Expand(settings_.LongTimeFormat, depth);
                    }
                    break;
                case 'd':
                    used = std::min<std::size_t>(run, 6);
                    WriteDay(used, depth);
                    break;
                case 'm':
                    used = std::min<std::size_t>(run, 4);
                    if (used <= 2 && afterHour) {
                        out_ += Padded(Time().Minute, used);
                    } else if (used <= 2) {
                        out_ += Padded(Date().Month, used);
                    } else if (used == 3) {
                        out_ += settings_.ShortMonthNames[Date().Month - 1];
                    } else {
                        out_ += settings_.LongMonthNames[Date().Month - 1];
                    }
                    break;
                case 'y':
                    used = run;
                    out_ += run <= 2 ? Padded(Date().Year % 100, 2) : Padded(Date().Year, 4);
                    break;
                case 'h': {
                    used = std::min<std::size_t>(run, 2);
                    int hour = Time().Hour;
                    if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
                    out_ += Padded(hour, used);
                    break;
                }
                case 'n':
                    used = std::min<std::size_t>(run, 2);
                    out_ += Padded(Time().Minute, used);
                    break;
                case 's':
                    used = std::min<std::size_t>(run, 2);
                    out_ += Padded(Time().Second, used);
                    break;
                case 'z':
                    used = run >= 3 ? 3 : 1;
                    out_ += Padded(Time().Millisecond, used);
                    break;
                case 't':
                    used = std::min<std::size_t>(run, 2);
                    Expand(used == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth);
                    break;
                case 'a':
                    used = WriteMarker(format, i);
                    specifier = used > 0;
                    if (!specifier) {
                        out_ += c;
                        used = 1;
                    }
                    break;
                case '/':
                    out_ += settings_.DateSeparator;
                    specifier = false;
                    break;
                case ':':
                    out_ += settings_.TimeSeparator;
                    specifier = false;
                    break;
                default:
                    out_ += c;
                    specifier = false;
                    break;
            }
            if (specifier) afterHour = lower == 'h';
            i += used;
        }
    }

    std::string Result() && { return std::move(out_); }

private:
    void Expand(const std::string& format, int depth) {
        if (depth < 1) Write(format, depth + 1);
    }

    void WriteDay(std::size_t count, int depth) {
        switch (count) {
            case 1:
            case 2:
                out_ += Padded(Date().Day, count);
                break;
            case 3:
                out_ += settings_.ShortDayNames[DayOfWeek(value_) - 1];
                break;
            case 4:
                out_ += settings_.LongDayNames[DayOfWeek(value_) - 1];
                break;
            case 5:
                Expand(settings_.ShortDateFormat, depth);
                break;
            default:
                Expand(settings_.LongDateFormat, depth);
                break;
        }
    }

    // Writes the am/pm marker that starts at `at` and returns its length; 0 when there is none.
    std::size_t WriteMarker(std::string_view format, std::size_t at) {
        const bool pm = Time().Hour >= 12;
        if (StartsWithNoCase(format, at, "am/pm")) {
            out_ += format.substr(pm ? at + 3 : at, 2);
            return 5;
        }
        if (StartsWithNoCase(format, at, "a/p")) {
            out_ += format[pm ? at + 2 : at];
            return 3;
        }
        if (StartsWithNoCase(format, at, "ampm")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        return 0;
    }

    const DateParts& Date() {
        if (!date_) date_ = DecodeDate(value_);
        return *date_;
    }
    const TimeParts& Time() {
        if (!time_) time_ = DecodeTime(value_);
        return *time_;
    }

    TDateTime value_;
    const FormatSettings& settings_;
    std::optional<DateParts> date_;
    std::optional<TimeParts> time_;
    std::string out_;
};

}  // namespace

std::string DateTimeToString(const std::string& format, TDateTime value,
                             const FormatSettings& settings) {
    DateTimeWriter writer(value, settings);
    writer.Write(format.empty() ? "c" : format, 0);
    return std::move(writer).Result();
}

std::string DateTimeToString(const std::string& format, TDateTime value) {
    return DateTimeToString(format, value, CurrentFormatSettings());
}

}  // namespace twinscope
