#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsFile.h"

namespace twinscope {

// The columns of a date written in parts: the year, the month, the day and the hour of the day.
struct TDateColumns {
    std::size_t Year = 0;
    std::size_t Month = 1;
    std::size_t Day = 2;
    std::optional<std::size_t> Hour;
};

// How a CSV file with named columns is read: its first column holds the dates (ISO 8601), or
// the date columns hold their parts, the others values.
struct TColumnLayout {
    // The names of the columns; read from the first row when it is the header.
    std::vector<std::string> Names;
    bool HeaderRow = true;
    // A column holding the hour of the day (0 to 23) that the date's day is read at.
    std::optional<std::size_t> HourColumn;
    // The columns read when none is asked for, those of them the file has; empty: every column
    // but the date and the hour.
    std::vector<std::string> DefaultColumns;
    TTemperatureUnit Unit = TTemperatureUnit::Fahrenheit;
    // The columns of the date's parts, in place of a first column of dates.
    std::optional<TDateColumns> DateParts;
};

// Reads the text: one series per column asked for (or per default column), named after its
// column, in °F. An empty field is a missing value, left out and counted. Separators and
// decimal commas as in the two-column readings.
TReadingsFile ParseNamedColumnsCsv(std::string_view text, TColumnLayout layout,
                                   const std::vector<std::string>& columns);

// The names in a header row (the first row that is not blank).
std::vector<std::string> HeaderNames(std::string_view text);

}  // namespace twinscope
