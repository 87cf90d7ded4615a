#include "app/IsdLite.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {

namespace {

constexpr std::array<std::string_view, 2> Elements = {"air temperature", "dew point"};
constexpr std::int32_t MissingValue = -9999;
// A record reaches at least to the end of the dew point.
constexpr std::size_t ShortestRecord = 25;

struct TField {
    std::size_t Start;
    std::size_t Length;
    const char* Name;
};

constexpr TField Year{0, 4, "year"};
constexpr TField Month{5, 2, "month"};
constexpr TField Day{8, 2, "day"};
constexpr TField Hour{11, 2, "hour"};
// The fields of the elements, in the order of Elements.
constexpr std::array<TField, 2> ElementFields = {TField{13, 6, "air temperature"},
                                                 TField{19, 6, "dew point"}};

// A right-aligned whole number filling its field after its leading blanks.
std::optional<std::int32_t> NumberIn(std::string_view row, const TField& field) {
    if (row.size() < field.Start + field.Length) return std::nullopt;
    std::string_view text = row.substr(field.Start, field.Length);
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::int32_t ReadNumber(std::string_view row, const TField& field, std::int32_t line) {
    const std::optional<std::int32_t> value = NumberIn(row, field);
    if (!value) {
        const std::string text(row.substr(std::min(field.Start, row.size()), field.Length));
        throw ReadingsError(line, "the " + std::string(field.Name) + " '" + text +
                                      "' in columns " + std::to_string(field.Start + 1) + "-" +
                                      std::to_string(field.Start + field.Length) +
                                      " is not a whole number");
    }
    return *value;
}

bool BlankAt(std::string_view row, std::size_t i) {
    return i < row.size() && row[i] == ' ';
}

TDateTime DateOf(std::string_view row, std::int32_t line) {
    const std::int32_t year = ReadNumber(row, Year, line);
    const std::int32_t month = ReadNumber(row, Month, line);
    const std::int32_t day = ReadNumber(row, Day, line);
    const std::int32_t hour = ReadNumber(row, Hour, line);
    try {
        return EncodeDateTime({.Year = year, .Month = month, .Day = day},
                              {.Hour = hour, .Minute = 0, .Second = 0, .Millisecond = 0});
    } catch (const RuntimeError&) {
        throw ReadingsError(line, "'" + std::string(row.substr(0, 13)) +
                                      "' is not a date and an hour (YYYY MM DD HH)");
    }
}

}  // namespace

bool IsIsdLiteRow(std::string_view row) {
    if (row.size() < ShortestRecord || !BlankAt(row, 4) || !BlankAt(row, 7) || !BlankAt(row, 10)) {
        return false;
    }
    for (const TField& f : {Year, Month, Day, Hour, ElementFields[0], ElementFields[1]}) {
        if (!NumberIn(row, f)) return false;
    }
    return true;
}

TReadingsFile ParseIsdLite(std::string_view text, const std::vector<std::string>& elements) {
    const std::vector<std::size_t> chosen = ElementsAsked(Elements, elements, "an ISD-Lite file");
    TReadingsFile file;
    std::vector<TReadings> series(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i)
        series[i].Name = Elements[chosen[i]];
    TCsvRows rows(text);
    while (const std::optional<std::string_view> row = rows.Next()) {
        const std::int32_t line = rows.Line();
        if (row->size() < ShortestRecord) {
            throw ReadingsError(line, "is " + std::to_string(row->size()) +
                                          " characters long: an ISD-Lite record holds at "
                                          "least the date, the hour, the air temperature and "
                                          "the dew point (25)");
        }
        ++file.Rows;
        const TDateTime date = DateOf(*row, line);
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const std::int32_t value = ReadNumber(*row, ElementFields[chosen[i]], line);
            if (value == MissingValue) {
                ++file.MissingValues;
                continue;
            }
            series[i].Dates.push_back(date);
            series[i].Temperatures.push_back(value / 10.0 * 9 / 5 + 32);
        }
    }
    KeepSeriesWithReadings(file, std::move(series), !elements.empty());
    if (file.Series.empty()) {
        throw ReadingsError(0, "holds no air temperature or dew point readings");
    }
    return file;
}

}  // namespace twinscope
