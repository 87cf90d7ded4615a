#include "app/GhcnDailyCsv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <utility>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/readings/ReadingDate.h"

namespace twinscope {

namespace {

constexpr std::array<std::string_view, 3> TemperatureElements = {"TMAX", "TMIN", "TAVG"};
constexpr std::size_t FieldCount = 8;
constexpr std::int32_t MissingValue = -9999;

// The places of the fields a reading needs; the measurement flag (4) only describes a value.
enum Field { fId, fDate, fElement, fValue, fQualityFlag = 5 };

bool IsUpperAlnum(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

bool IsDigits(std::string_view s, std::size_t count) {
    return s.size() == count &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHeader(const std::vector<std::string_view>& f) {
    return f.size() >= 3 && SameColumnName(f[fId], "ID") &&
           (SameColumnName(f[fDate], "DATE") || SameColumnName(f[fDate], "YYYYMMDD")) &&
           SameColumnName(f[fElement], "ELEMENT");
}

TDateTime ParseDate(std::string_view text, std::int32_t line) {
    const std::optional<TDateTime> date = ParseDigitDate(text, false);
    if (!date) throw ReadingsError(line, "'" + std::string(text) + "' is not a date YYYYMMDD");
    return *date;
}

std::int32_t ParseValue(std::string_view text, std::int32_t line) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        throw ReadingsError(line, "'" + std::string(text) +
                                      "' is not a value in tenths (a whole number such as 56)");
    }
    return value;
}

// The elements that become series: the temperatures, checked to be such, then the amounts.
std::vector<std::string> ChosenElements(const std::vector<std::string>& asked,
                                        const std::vector<std::string>& amounts) {
    std::vector<std::string> chosen;
    if (asked.empty()) chosen.assign(TemperatureElements.begin(), TemperatureElements.end());
    for (const std::string& name : asked) {
        const auto known =
            std::find_if(TemperatureElements.begin(), TemperatureElements.end(),
                         [&](std::string_view e) { return SameColumnName(e, name); });
        if (known == TemperatureElements.end()) {
            throw ReadingsError(0, "'" + name +
                                       "' is not a temperature element of a GHCN-Daily file "
                                       "(TMAX, TMIN or TAVG)");
        }
        chosen.emplace_back(*known);
    }
    for (const std::string& name : amounts) {
        const std::optional<std::string_view> amount = AmountElementNamed(name);
        if (!amount) throw ReadingsError(0, "'" + name + "' is not PRCP or SNOW");
        chosen.emplace_back(*amount);
    }
    return chosen;
}

}  // namespace

bool IsGhcnDailyRow(std::string_view row) {
    const std::vector<std::string_view> f = SplitCsvRow(row, ',', 1);
    if (IsHeader(f)) return true;
    return f.size() == FieldCount && f[fId].size() == 11 && IsUpperAlnum(f[fId]) &&
           IsDigits(f[fDate], 8) && IsUpperAlnum(f[fElement]);
}

TReadingsFile ParseGhcnDailyCsv(std::string_view text, const std::vector<std::string>& elements,
                                const std::vector<std::string>& amounts) {
    const std::vector<std::string> chosen = ChosenElements(elements, amounts);
    TReadingsFile file;
    std::vector<TReadings> series(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        series[i].Name = chosen[i];
        series[i].Amount = AmountElementNamed(chosen[i]).has_value();
    }
    std::string station;
    TCsvRows rows(text);
    bool first = true;
    TCsvFields split;
    while (const std::optional<std::string_view> row = rows.Next()) {
        const std::int32_t line = rows.Line();
        const std::vector<std::string_view>& f = split.Split(*row, ',', line);
        if (std::exchange(first, false) && IsHeader(f)) continue;
        if (f.size() != FieldCount) {
            throw ReadingsError(line,
                                "expected 8 fields (ID, YYYYMMDD, ELEMENT, VALUE, M-FLAG, "
                                "Q-FLAG, S-FLAG, OBS-TIME), found " +
                                    std::to_string(f.size()));
        }
        ++file.Rows;
        if (station.empty()) station = f[fId];
        if (f[fId] != station) {
            throw ReadingsError(line, "station '" + std::string(f[fId]) +
                                          "' is not the file's station '" + station +
                                          "' (a by-station file holds one station)");
        }
        const TDateTime date = ParseDate(f[fDate], line);
        const std::int32_t value = ParseValue(f[fValue], line);
        const auto element = std::find(chosen.begin(), chosen.end(), f[fElement]);
        if (element == chosen.end()) continue;
        if (value == MissingValue) {
            ++file.MissingValues;
            continue;
        }
        if (!f[fQualityFlag].empty()) {
            ++file.FlaggedValues;
            continue;
        }
        TReadings& r = series[static_cast<std::size_t>(element - chosen.begin())];
        r.Dates.push_back(date);
        r.Temperatures.push_back(r.Amount ? GhcnAmountInMm(r.Name, value)
                                          : value / 10.0 * 9 / 5 + 32);
    }
    KeepSeriesWithReadings(file, std::move(series), !elements.empty());
    if (file.Series.empty()) throw ReadingsError(0, "holds no TMAX, TMIN or TAVG readings");
    file.Stations.push_back(station);
    for (TReadings& r : file.Series)
        r.Station = station;
    return file;
}

}  // namespace twinscope
