#include "twinscope/readings/NoaaStationCsv.h"

#include <algorithm>
#include <array>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/readings/ReadingDate.h"
#include "twinscope/readings/StationLines.h"

namespace twinscope {

namespace {

constexpr std::array<std::string_view, 4> TemperatureElements = {"TMAX", "TMIN", "TAVG", "TOBS"};
constexpr std::string_view AttributesSuffix = "_ATTRIBUTES";

bool IsTemperature(std::string_view name) {
    return std::any_of(TemperatureElements.begin(), TemperatureElements.end(),
                       [&](std::string_view e) { return SameColumnName(e, name); });
}

// A temperature or amount column and the place of its flags.
struct TElementColumn {
    std::string Element;
    std::size_t Value = 0;
    std::optional<std::size_t> Attributes;
    bool Amount = false;
};

struct THeader {
    std::size_t Fields = 0;
    std::size_t Station = 0;
    std::optional<std::size_t> Name;
    std::size_t Date = 0;
    std::vector<TElementColumn> Columns;
};

std::string Listed(const std::vector<std::string_view>& names) {
    std::string list;
    for (std::string_view name : names)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

THeader ReadHeader(const std::vector<std::string_view>& f, const std::vector<std::string>& asked,
                   const std::vector<std::string>& amounts, std::int32_t line) {
    const std::optional<std::size_t> station = ColumnPlace(f, "STATION");
    const std::optional<std::size_t> date = ColumnPlace(f, "DATE");
    if (!station || !date) {
        throw ReadingsError(line,
                            "the header names no STATION and DATE columns, as NOAA's station "
                            "files do (its columns are " +
                                Listed(f) + ")");
    }
    THeader h{
        .Fields = f.size(), .Station = *station, .Name = ColumnPlace(f, "NAME"), .Date = *date};
    const auto column = [&](std::size_t place) {
        TElementColumn c{.Element = std::string(f[place]), .Value = place};
        for (char& ch : c.Element)
            ch = ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
        c.Attributes = ColumnPlace(f, c.Element + std::string(AttributesSuffix));
        return c;
    };
    std::vector<std::string_view> temperatures;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (IsTemperature(f[i])) temperatures.push_back(f[i]);
        if (asked.empty() && IsTemperature(f[i])) h.Columns.push_back(column(i));
    }
    for (const std::string& name : asked) {
        if (!IsTemperature(name)) {
            throw ReadingsError(0, "'" + name +
                                       "' is not a temperature element of a NOAA station file "
                                       "(TMAX, TMIN, TAVG or TOBS)");
        }
        const std::optional<std::size_t> place = ColumnPlace(f, name);
        if (!place) {
            throw ReadingsError(0, "has no column '" + name + "' (its temperatures are " +
                                       (temperatures.empty() ? "none" : Listed(temperatures)) +
                                       ")");
        }
        h.Columns.push_back(column(*place));
    }
    for (const std::string& name : amounts) {
        if (!AmountElementNamed(name)) throw ReadingsError(0, "'" + name + "' is not PRCP or SNOW");
        const std::optional<std::size_t> place = ColumnPlace(f, name);
        if (!place) throw ReadingsError(0, "has no column '" + name + "'");
        h.Columns.push_back(column(*place));
        h.Columns.back().Amount = true;
    }
    return h;
}

// The quality flag is the second of the attributes "measurement,quality,source,time".
bool HasQualityFlag(std::string_view attributes) {
    const std::size_t comma = attributes.find(',');
    if (comma == std::string_view::npos) return false;
    const std::string_view rest = attributes.substr(comma + 1);
    return !TrimBlanks(rest.substr(0, rest.find(','))).empty();
}

// An amount in mm: the daily summaries give inches in standard units and mm in metric ones,
// the access folder's files GHCN-Daily's units.
double ReadAmount(std::string_view field, TNoaaLayout layout, TTemperatureUnit unit,
                  const std::string& element, std::int32_t line) {
    const std::optional<double> value = ParseCsvNumber(field, false);
    if (!value) {
        throw ReadingsError(line, "column '" + element + "': '" + std::string(field) +
                                      "' is not an amount (a number such as 0.17)");
    }
    if (layout == TNoaaLayout::GhcnAccess) return GhcnAmountInMm(element, *value);
    return unit == TTemperatureUnit::Fahrenheit ? *value * 25.4 : *value;
}

double ReadValue(std::string_view field, TNoaaLayout layout, TTemperatureUnit unit,
                 const std::string& element, std::int32_t line) {
    if (layout == TNoaaLayout::CdoDaily) {
        const std::optional<double> t = ParseTemperature(field, false, unit);
        if (!t)
            throw ReadingsError(line, "column '" + element + "': " + NotATemperature(field, unit));
        return *t;
    }
    const std::optional<double> tenths = ParseCsvNumber(field, false);
    if (!tenths) {
        throw ReadingsError(line, "column '" + element + "': '" + std::string(field) +
                                      "' is not a value in tenths of °C (a number such as 56)");
    }
    return *tenths / 10 * 9 / 5 + 32;
}

}  // namespace

std::optional<TNoaaLayout> NoaaLayoutOf(std::string_view firstRow) {
    if (firstRow.find("STATION") == std::string_view::npos) return std::nullopt;
    const std::vector<std::string_view> f = SplitCsvRow(firstRow, ',', 1);
    if (f.size() < 3 || !SameColumnName(f[0], "STATION") || !ColumnPlace(f, "DATE"))
        return std::nullopt;
    if (SameColumnName(f[1], "DATE") && SameColumnName(f[2], "LATITUDE"))
        return TNoaaLayout::GhcnAccess;
    return TNoaaLayout::CdoDaily;
}

TReadingsFile ParseNoaaStationCsv(std::string_view text, TNoaaLayout layout,
                                  const std::vector<std::string>& elements, TTemperatureUnit unit,
                                  const std::vector<std::string>& amounts) {
    TCsvRows rows(text);
    const std::optional<std::string_view> first = rows.Next();
    if (!first) throw ReadingsError(0, "the file holds no readings");
    const THeader h =
        ReadHeader(SplitCsvRow(*first, ',', rows.Line()), elements, amounts, rows.Line());
    TReadingsFile file;
    std::vector<TReadings> lines(h.Columns.size());
    for (std::size_t i = 0; i < h.Columns.size(); ++i) {
        lines[i].Name = h.Columns[i].Element;
        lines[i].Amount = h.Columns[i].Amount;
    }
    std::vector<TStationLines> stations;
    TCsvFields split;
    while (const std::optional<std::string_view> row = rows.Next()) {
        const std::int32_t line = rows.Line();
        const std::vector<std::string_view>& f = split.Split(*row, ',', line);
        if (f.size() != h.Fields) {
            throw ReadingsError(line, "expected " + std::to_string(h.Fields) +
                                          " fields, as the header names, found " +
                                          std::to_string(f.size()));
        }
        ++file.Rows;
        TStationLines& s =
            StationOf(stations, f[h.Station], h.Name ? f[*h.Name] : std::string_view(), lines);
        const TDateTime date = ParseDayDate(f[h.Date], line);
        if (s.LastDate && !(date > *s.LastDate)) {
            throw ReadingsError(line, "'" + std::string(f[h.Date]) +
                                          "' does not come after the date before it of station " +
                                          s.Id + " (a station's rows come in date order)");
        }
        s.LastDate = date;
        for (std::size_t i = 0; i < h.Columns.size(); ++i) {
            const TElementColumn& c = h.Columns[i];
            const std::string_view field = f[c.Value];
            if (field.empty()) {
                ++file.MissingValues;
                continue;
            }
            const double value = c.Amount ? ReadAmount(field, layout, unit, c.Element, line)
                                          : ReadValue(field, layout, unit, c.Element, line);
            if (c.Attributes && HasQualityFlag(f[*c.Attributes])) {
                ++file.FlaggedValues;
                continue;
            }
            s.Series[i].Dates.push_back(date);
            s.Series[i].Temperatures.push_back(value);
        }
    }
    for (std::size_t i = 0; i < h.Columns.size(); ++i) {
        if (elements.empty() && !h.Columns[i].Amount) continue;
        if (NoStationHas(stations, i))
            throw ReadingsError(0, "holds no " + h.Columns[i].Element + " readings");
    }
    TakeStationLines(file, stations);
    if (file.Series.empty()) throw ReadingsError(0, "holds no TMAX, TMIN, TAVG or TOBS readings");
    return file;
}

}  // namespace twinscope
