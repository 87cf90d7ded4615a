#include "app/MeteostatCsv.h"

#include <algorithm>

#include "twinscope/readings/CsvRows.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

namespace {

const std::vector<std::string> DailyColumns = {"date", "tavg", "tmin", "tmax", "prcp", "snow",
                                               "wdir", "wspd", "wpgt", "pres", "tsun"};
const std::vector<std::string> HourlyColumns = {"date", "hour", "temp", "dwpt", "rhum",
                                                "prcp", "snow", "wdir", "wspd", "wpgt",
                                                "pres", "tsun", "coco"};
const std::vector<std::string> DailyTemperatures = {"tavg", "tmin", "tmax"};
const std::vector<std::string> HourlyTemperatures = {"temp"};
// The per-year files call the daily mean temp.
const std::vector<std::string> YearlyDailyTemperatures = {"temp", "tmin", "tmax"};
constexpr std::string_view SourceSuffix = "_source";

// The header of the per-year files: year, month, day (and hour in hourly files), then each
// parameter followed by its column of sources ("temp,temp_source,...").
std::optional<TDateColumns> YearlyDateColumns(const std::vector<std::string_view>& f) {
    if (f.size() < 3 || !SameColumnName(f[0], "year") || !SameColumnName(f[1], "month") ||
        !SameColumnName(f[2], "day"))
        return std::nullopt;
    TDateColumns date;
    std::size_t first = 3;
    if (f.size() > 3 && SameColumnName(f[3], "hour")) date.Hour = first++;
    if (f.size() == first || (f.size() - first) % 2 != 0) return std::nullopt;
    for (std::size_t i = first; i < f.size(); i += 2) {
        const std::string_view source = f[i + 1];
        if (!source.ends_with(SourceSuffix) ||
            !SameColumnName(source.substr(0, source.size() - SourceSuffix.size()), f[i]))
            return std::nullopt;
    }
    return date;
}

// Meteostat's own header: its column names after the date (or time), the hourly ones without
// the hour, which the time holds then.
bool IsOwnHeader(const std::vector<std::string_view>& f) {
    if (f.empty() || !(SameColumnName(f[0], "date") || SameColumnName(f[0], "time"))) return false;
    const auto follows = [&](const std::vector<std::string>& names, std::size_t from) {
        return std::equal(
            f.begin() + 1, f.end(), names.begin() + from, names.end(),
            [](std::string_view a, const std::string& b) { return SameColumnName(a, b); });
    };
    return follows(DailyColumns, 1) || follows(HourlyColumns, 2);
}

bool Names(const std::vector<std::string_view>& fields, std::string_view name) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](std::string_view f) { return SameColumnName(f, name); });
}

bool IsBulkRecord(const std::vector<std::string_view>& f) {
    return (f.size() == DailyColumns.size() || f.size() == HourlyColumns.size()) &&
           ParseIsoDateTime(f[0]).has_value();
}

}  // namespace

bool IsMeteostatRow(std::string_view row) {
    const std::vector<std::string_view> f = SplitCsvRow(row, ',', 1);
    return IsOwnHeader(f) || IsBulkRecord(f) || YearlyDateColumns(f).has_value();
}

TColumnLayout MeteostatLayout(std::string_view firstRow) {
    const std::vector<std::string_view> f = SplitCsvRow(firstRow, ',', 1);
    TColumnLayout layout{.Unit = TTemperatureUnit::Celsius};
    if (const std::optional<TDateColumns> date = YearlyDateColumns(f)) {
        layout.DateParts = date;
        layout.DefaultColumns = date->Hour ? HourlyTemperatures : YearlyDailyTemperatures;
    } else if (!f.empty() && !HoldsDigit(f[0])) {
        layout.DefaultColumns = Names(f, "temp") ? HourlyTemperatures : DailyTemperatures;
    } else if (f.size() == HourlyColumns.size()) {
        layout.Names = HourlyColumns;
        layout.HeaderRow = false;
        layout.HourColumn = 1;
        layout.DefaultColumns = HourlyTemperatures;
    } else {
        layout.Names = DailyColumns;
        layout.HeaderRow = false;
        layout.DefaultColumns = DailyTemperatures;
    }
    return layout;
}

}  // namespace twinscope
