#include "app/ReadingsCsv.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "app/CsvRows.h"
#include "app/InputText.h"
#include "twinscope/runtime/IsoDateTime.h"

namespace twinscope {

TReadings ParseReadingsCsv(std::string_view text, TTemperatureUnit unit) {
    TReadings readings;
    // The shortest row ("2015-01-01,7" and its line end) bounds the rows: the vectors never
    // grow, which would hold the old values and the new at once, and the room that no row
    // fills is never touched, so it takes no memory.
    constexpr std::size_t ShortestRow = 13;
    readings.Dates.reserve(text.size() / ShortestRow + 1);
    readings.Temperatures.reserve(text.size() / ShortestRow + 1);
    std::optional<char> separator;
    TCsvRows rows(text);
    TCsvFields split;
    TIsoDateTimeReader dates;
    while (const std::optional<std::string_view> row = rows.Next()) {
        const std::int32_t line = rows.Line();
        const bool first = !separator;
        if (first) separator = CsvSeparatorOf(*row);
        const std::vector<std::string_view>& fields = split.Split(*row, *separator, line);
        if (first && !HoldsDigit(fields[0])) {  // the header
            if (fields.size() == 2) readings.Name = fields[1];
            continue;
        }
        if (fields.size() != 2) {
            throw ReadingsError(line, "expected a date and a temperature separated by '" +
                                          std::string(1, *separator) + "', found " +
                                          std::to_string(fields.size()) + " fields");
        }
        if (fields[0].empty()) throw ReadingsError(line, "the date is missing");
        const auto date = dates.Read(fields[0]);
        if (!date) {
            throw ReadingsError(line, "'" + std::string(fields[0]) + "' is not an ISO 8601 date (" +
                                          kIsoDateTimeForms + ")");
        }
        if (fields[1].empty()) throw ReadingsError(line, "the temperature is missing");
        const auto temperature = ParseTemperature(fields[1], *separator == ';', unit);
        if (!temperature) throw ReadingsError(line, NotATemperature(fields[1], unit));
        readings.Dates.push_back(*date);
        readings.Temperatures.push_back(*temperature);
    }
    if (readings.Dates.empty()) throw ReadingsError(0, "the file holds no readings");
    SortReadingsByDate(readings);
    return readings;
}

TReadings ReadReadingsCsv(const std::string& path) {
    return ParseReadingsCsv(ReadInputText(path));
}

// Files mostly come sorted, which costs one pass.
void SortReadingsByDate(TReadings& r) {
    if (std::is_sorted(r.Dates.begin(), r.Dates.end())) return;
    std::vector<std::uint32_t> order(r.Dates.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return r.Dates[a] < r.Dates[b]; });
    TReadings sorted{.Name = r.Name, .Station = r.Station};
    sorted.Dates.reserve(order.size());
    sorted.Temperatures.reserve(order.size());
    for (std::uint32_t i : order) {
        sorted.Dates.push_back(r.Dates[i]);
        sorted.Temperatures.push_back(r.Temperatures[i]);
    }
    r = std::move(sorted);
}

}  // namespace twinscope
