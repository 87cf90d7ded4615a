#include "app/ReadingsCsv.h"

#include <algorithm>
#include <optional>

#include "app/InputText.h"
#include "twinscope/readings/CsvRows.h"
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

}  // namespace twinscope
