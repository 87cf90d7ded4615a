#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/TemperatureUnit.h"
#include "twinscope/platform/DatabaseSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

class TMappedColumnFile;

// Readings from a file: dates (date-time values) and temperatures in °F, ordered by date; rows
// with the same date keep the order of the file. Name says what they are (a column's name, an
// element of a station's record), for the legend.
struct TReadings {
    std::vector<double> Dates;
    std::vector<double> Temperatures;
    std::string Name;
    // The station the readings come from, in files that name it.
    std::string Station = {};
    // Readings of a column file, shown from the disk in place of Dates and Temperatures.
    std::shared_ptr<TMappedColumnFile> Columns = {};
    // Readings drawn by a database, in place of Dates and Temperatures, and the extent of the
    // table's rows.
    std::shared_ptr<const TDatabaseSource> Database = {};
    TDatabaseQueries::TExtremes DatabaseExtent = {};
    // Temperatures holds daily amounts in mm (rain, snow) instead of temperatures.
    bool Amount = false;
};

// A file that cannot be used as readings. Line is the 1-based line of the refused row, 0 when
// the refusal concerns the whole file.
class ReadingsError : public RuntimeError {
public:
    ReadingsError(std::int32_t line, const std::string& reason)
        : RuntimeError(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason),
          line_(line),
          reason_(reason) {}
    std::int32_t Line() const { return line_; }
    // What is wrong, without the line.
    const std::string& Reason() const { return reason_; }

private:
    std::int32_t line_;
    std::string reason_;
};

// Reads CSV text: per row a date (ISO 8601, with or without time) and a temperature, separated
// by a comma or, when the first row holds one, a semicolon (then a decimal comma is accepted
// too). Fields may be quoted and padded with blanks; blank lines are skipped. A first row whose
// date field holds no digit is a header. Rows may come in any order. Any bad row, or a text
// without rows, raises ReadingsError and yields nothing.
TReadings ParseReadingsCsv(std::string_view text,
                           TTemperatureUnit unit = TTemperatureUnit::Fahrenheit);

// Reads the file at path as above; a file that cannot be read raises ReadingsError too.
TReadings ReadReadingsCsv(const std::string& path);

// Orders readings by date; equal dates keep their order.
void SortReadingsByDate(TReadings& readings);

}  // namespace twinscope
