#include "app/NamedColumnsCsv.h"

#include <algorithm>
#include <charconv>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/readings/ReadingDate.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

std::string Listed(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::optional<std::size_t> ColumnNamed(const std::vector<std::string>& names,
                                       std::string_view name) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const std::string& n) { return SameColumnName(n, name); });
    if (found == names.end()) return std::nullopt;
    return static_cast<std::size_t>(found - names.begin());
}

// The places of the value columns, in the order they become series.
std::vector<std::size_t> ValueColumns(const TColumnLayout& layout,
                                      const std::vector<std::string>& asked) {
    std::vector<std::size_t> places;
    for (const std::string& name : asked) {
        const std::optional<std::size_t> place = ColumnNamed(layout.Names, name);
        if (!place) {
            throw ReadingsError(
                0, "has no column '" + name + "' (its columns are " + Listed(layout.Names) + ")");
        }
        places.push_back(*place);
    }
    if (!asked.empty()) return places;
    for (const std::string& name : layout.DefaultColumns) {
        if (const std::optional<std::size_t> place = ColumnNamed(layout.Names, name))
            places.push_back(*place);
    }
    if (!layout.DefaultColumns.empty() && places.empty()) {
        throw ReadingsError(0, "has none of the columns " + Listed(layout.DefaultColumns) +
                                   " (its columns are " + Listed(layout.Names) + ")");
    }
    if (!layout.DefaultColumns.empty()) return places;
    for (std::size_t i = 1; i < layout.Names.size(); ++i) {
        if (i != layout.HourColumn) places.push_back(i);
    }
    if (places.empty()) throw ReadingsError(0, "has no column after the date");
    return places;
}

TDateTime ParseDate(std::string_view text, std::int32_t line, TIsoDateTimeReader& dates) {
    if (text.empty()) throw ReadingsError(line, "the date is missing");
    const auto date = dates.Read(text);
    if (!date) {
        throw ReadingsError(line, "'" + std::string(text) + "' is not an ISO 8601 date (" +
                                      kIsoDateTimeForms + ")");
    }
    return *date;
}

std::optional<std::int32_t> WholeNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int ParseHour(std::string_view text, std::int32_t line) {
    const std::optional<std::int32_t> hour = WholeNumber(text);
    if (!hour || *hour < 0 || *hour > 23) {
        throw ReadingsError(line, "'" + std::string(text) + "' is not an hour from 0 to 23");
    }
    return *hour;
}

// The day at the hour; before the epoch the day counts down while the hour still counts forward.
TDateTime AtHourOfDay(TDateTime day, int hour) {
    const TDateTime time = EncodeTime(hour, 0, 0, 0);
    return day < 0 ? day - time : day + time;
}

// The date of a row that writes it in parts ("2016", "1", "31" and perhaps the hour "6").
TDateTime DateOfParts(const std::vector<std::string_view>& f, const TDateColumns& c,
                      std::int32_t line) {
    const std::optional<std::int32_t> year = WholeNumber(f[c.Year]);
    const std::optional<std::int32_t> month = WholeNumber(f[c.Month]);
    const std::optional<std::int32_t> day = WholeNumber(f[c.Day]);
    const std::optional<TDateTime> date =
        year && month && day ? DayOfDigits(*year, *month, *day) : std::nullopt;
    if (!date) {
        throw ReadingsError(line, "the year, month and day '" + std::string(f[c.Year]) + "', '" +
                                      std::string(f[c.Month]) + "', '" + std::string(f[c.Day]) +
                                      "' are not a date");
    }
    return c.Hour ? AtHourOfDay(*date, ParseHour(f[*c.Hour], line)) : *date;
}

// The day's date at the hour, as "YYYY-MM-DDThh:00" reads; a date that holds a time already
// is refused as that text.
TDateTime AtHour(std::string_view text, TDateTime date, int hour, std::int32_t line) {
    if (!ParseDigitDate(text)) {
        TIsoDateTimeReader dates;
        return ParseDate(
            std::string(text) + (hour < 10 ? "T0" : "T") + std::to_string(hour) + ":00", line,
            dates);
    }
    return AtHourOfDay(date, hour);
}

}  // namespace

std::vector<std::string> HeaderNames(std::string_view text) {
    TCsvRows rows(text);
    const std::optional<std::string_view> first = rows.Next();
    if (!first) return {};
    std::vector<std::string> names;
    for (std::string_view field : SplitCsvRow(*first, CsvSeparatorOf(*first), rows.Line()))
        names.emplace_back(field);
    return names;
}

TReadingsFile ParseNamedColumnsCsv(std::string_view text, TColumnLayout layout,
                                   const std::vector<std::string>& columns) {
    TCsvRows rows(text);
    std::optional<std::string_view> row = rows.Next();
    if (!row) throw ReadingsError(0, "the file holds no readings");
    const char separator = CsvSeparatorOf(*row);
    if (layout.HeaderRow) {
        layout.Names = HeaderNames(text);
        row = rows.Next();
    }
    const std::vector<std::size_t> places = ValueColumns(layout, columns);
    std::vector<TReadings> series(places.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        series[i].Name = layout.Names[places[i]];

    TReadingsFile file;
    TCsvFields split;
    TIsoDateTimeReader dates;
    for (; row; row = rows.Next()) {
        const std::int32_t line = rows.Line();
        const std::vector<std::string_view>& f = split.Split(*row, separator, line);
        if (f.size() != layout.Names.size()) {
            throw ReadingsError(line, "expected " + std::to_string(layout.Names.size()) +
                                          " fields separated by '" + std::string(1, separator) +
                                          "', found " + std::to_string(f.size()));
        }
        ++file.Rows;
        TDateTime date = layout.DateParts ? DateOfParts(f, *layout.DateParts, line)
                                          : ParseDate(f[0], line, dates);
        if (layout.HourColumn)
            date = AtHour(f[0], date, ParseHour(f[*layout.HourColumn], line), line);
        for (std::size_t i = 0; i < places.size(); ++i) {
            const std::string_view field = f[places[i]];
            if (field.empty()) {
                ++file.MissingValues;
                continue;
            }
            const auto temperature = ParseTemperature(field, separator == ';', layout.Unit);
            if (!temperature) {
                throw ReadingsError(line, "column '" + series[i].Name +
                                              "': " + NotATemperature(field, layout.Unit));
            }
            series[i].Dates.push_back(date);
            series[i].Temperatures.push_back(*temperature);
        }
    }
    const bool none = std::all_of(series.begin(), series.end(),
                                  [](const TReadings& r) { return r.Dates.empty(); });
    if (none) throw ReadingsError(0, "the file holds no readings");
    for (TReadings& r : series)
        SortReadingsByDate(r);
    file.Series = std::move(series);
    return file;
}

}  // namespace twinscope
