#include "app/GhcnHourly.h"

#include <algorithm>
#include <array>
#include <optional>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/readings/StationLines.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

constexpr char Separator = '|';
constexpr std::array<std::string_view, 2> Elements = {"temperature", "dew_point_temperature"};
constexpr std::string_view QualitySuffix = "_Quality_Code";
constexpr std::size_t AllFields = std::string_view::npos;

// The fields of a row, cut at each '|' (the files quote nothing), up to the first wanted ones;
// answers the number of fields of the whole row, of which the rest are only counted.
std::size_t CutFields(std::string_view row, std::size_t wanted,
                      std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    while (fields.size() < wanted) {
        const std::size_t at = row.find(Separator, start);
        if (at == std::string_view::npos) {
            fields.push_back(row.substr(start));
            return fields.size();
        }
        fields.push_back(row.substr(start, at - start));
        start = at + 1;
    }
    return fields.size() + 1 +
           static_cast<std::size_t>(
               std::count(row.begin() + static_cast<std::ptrdiff_t>(start), row.end(), Separator));
}

// An element's value and the place of its quality code.
struct TElementColumns {
    std::size_t Element = 0;  // in Elements
    std::size_t Value = 0;
    std::optional<std::size_t> Quality;
};

struct THeader {
    std::size_t Fields = 0;
    std::size_t Station = 0;
    std::optional<std::size_t> Name;
    std::size_t Date = 0;
    std::vector<TElementColumns> Columns;
    // The fields a row is cut into: up to the last one read.
    std::size_t Wanted = 0;
};

THeader ReadHeader(const std::vector<std::string_view>& f, const std::vector<std::string>& asked,
                   std::int32_t line) {
    const std::optional<std::size_t> station = ColumnPlace(f, "STATION");
    const std::optional<std::size_t> date = ColumnPlace(f, "DATE");
    if (!station || !date) {
        throw ReadingsError(line,
                            "the header names no STATION and DATE columns, as GHCNh files do");
    }
    THeader h{.Fields = f.size(),
              .Station = *station,
              .Name = ColumnPlace(f, "Station_name"),
              .Date = *date};
    for (const std::size_t element : ElementsAsked(Elements, asked, "a GHCNh file")) {
        const std::optional<std::size_t> value = ColumnPlace(f, Elements[element]);
        if (!value && !asked.empty()) {
            throw ReadingsError(0, "has no column '" + std::string(Elements[element]) + "'");
        }
        if (!value) continue;
        h.Columns.push_back({.Element = element,
                             .Value = *value,
                             .Quality = ColumnPlace(
                                 f, std::string(Elements[element]) + std::string(QualitySuffix))});
    }
    if (h.Columns.empty())
        throw ReadingsError(0, "has no temperature or dew_point_temperature column");
    h.Wanted = std::max({h.Station, h.Name.value_or(0), h.Date}) + 1;
    for (const TElementColumns& c : h.Columns)
        h.Wanted = std::max({h.Wanted, c.Value + 1, c.Quality.value_or(0) + 1});
    return h;
}

// ISD's quality codes 2, 3, 6 and 7 mark a suspect or an erroneous value, which is left out;
// every other code (none, 0, 1, 4, 5, 9, letters) keeps its value.
bool IsFlagged(std::string_view code) {
    return code.size() == 1 &&
           (code[0] == '2' || code[0] == '3' || code[0] == '6' || code[0] == '7');
}

}  // namespace

bool IsGhcnHourlyHeader(std::string_view row) {
    std::vector<std::string_view> f;
    CutFields(row, AllFields, f);
    return f.size() > 2 && SameColumnName(TrimBlanks(f[0]), "STATION") &&
           std::any_of(f.begin(), f.end(), [](std::string_view n) {
               return SameColumnName(TrimBlanks(n), "temperature");
           });
}

TReadingsFile ParseGhcnHourly(std::string_view text, const std::vector<std::string>& elements) {
    TCsvRows rows(text);
    const std::optional<std::string_view> first = rows.Next();
    if (!first) throw ReadingsError(0, "the file holds no readings");
    std::vector<std::string_view> f;
    CutFields(*first, AllFields, f);
    for (std::string_view& name : f)
        name = TrimBlanks(name);
    const THeader h = ReadHeader(f, elements, rows.Line());
    std::vector<TReadings> lines(h.Columns.size());
    for (std::size_t i = 0; i < h.Columns.size(); ++i)
        lines[i].Name = Elements[h.Columns[i].Element];

    // A row holds a separator for each field but the last, its line end and a date of ten
    // characters at least: the first station's lines never grow beyond that room, and the room
    // that no row fills is never touched, so it takes no memory.
    const std::size_t room = text.size() / (h.Fields + 10) + 1;
    TReadingsFile file;
    std::vector<TStationLines> stations;
    TIsoDateTimeReader dates;
    while (const std::optional<std::string_view> row = rows.Next()) {
        const std::int32_t line = rows.Line();
        const std::size_t count = CutFields(*row, h.Wanted, f);
        if (count != h.Fields) {
            throw ReadingsError(line, "expected " + std::to_string(h.Fields) +
                                          " fields separated by '|', as the header names, found " +
                                          std::to_string(count));
        }
        ++file.Rows;
        TStationLines& s =
            StationOf(stations, TrimBlanks(f[h.Station]),
                      h.Name ? TrimBlanks(f[*h.Name]) : std::string_view(), lines, room);
        const std::string_view dateText = TrimBlanks(f[h.Date]);
        const std::optional<TDateTime> date = dates.Read(dateText);
        if (!date) {
            throw ReadingsError(line, "'" + std::string(dateText) + "' is not an ISO 8601 date (" +
                                          kIsoDateTimeForms + ")");
        }
        // Reports of one time may follow each other: only an earlier time is out of order.
        if (s.LastDate && *date < *s.LastDate) {
            throw ReadingsError(line, "'" + std::string(dateText) +
                                          "' comes before the time before it of station " + s.Id +
                                          " (a station's rows come in time order)");
        }
        s.LastDate = date;
        for (std::size_t i = 0; i < h.Columns.size(); ++i) {
            const TElementColumns& c = h.Columns[i];
            const std::string_view field = TrimBlanks(f[c.Value]);
            if (field.empty()) {
                ++file.MissingValues;
                continue;
            }
            const std::optional<double> value =
                ParseTemperature(field, false, TTemperatureUnit::Celsius);
            if (!value) {
                throw ReadingsError(line, "column '" + std::string(Elements[c.Element]) + "': " +
                                              NotATemperature(field, TTemperatureUnit::Celsius));
            }
            if (c.Quality && IsFlagged(TrimBlanks(f[*c.Quality]))) {
                ++file.FlaggedValues;
                continue;
            }
            s.Series[i].Dates.push_back(*date);
            s.Series[i].Temperatures.push_back(*value);
        }
    }
    for (std::size_t i = 0; i < h.Columns.size() && !elements.empty(); ++i) {
        if (NoStationHas(stations, i))
            throw ReadingsError(0, "holds no " + lines[i].Name + " readings");
    }
    TakeStationLines(file, stations);
    if (file.Series.empty()) {
        throw ReadingsError(0, "holds no temperature or dew_point_temperature readings");
    }
    return file;
}

}  // namespace twinscope
