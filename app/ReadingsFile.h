#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsCsv.h"
#include "twinscope/readings/Readings.h"
#include "twinscope/readings/TemperatureUnit.h"

namespace twinscope {

// The kinds of readings files: the program's own two columns of a date and a temperature;
// GHCN-Daily by-station CSV; Meteostat daily or hourly CSV; any CSV whose first row names its
// columns; NOAA Climate Data Online's daily summaries; the GHCN-Daily station CSV of NOAA's
// access folder; NOAA's fixed-width ISD-Lite hourly records; NOAA's pipe-separated GHCNh
// hourly files.
enum class TReadingsFormat : std::uint8_t {
    Readings,
    Ghcn,
    Meteostat,
    Csv,
    Cdo,
    GhcnAccess,
    IsdLite,
    GhcnHourly
};

// How a file is to be read; unset values leave the choice to the file.
struct TReadingOptions {
    // Told from the file's first row when unset.
    std::optional<TReadingsFormat> Format;
    // The columns (GHCN-Daily: the elements) that become series, in this order; matched without
    // regard to case. Empty: the format's temperatures, or every column after the date.
    std::vector<std::string> Columns;
    // The unit of files that do not fix their own; °F when unset.
    std::optional<TTemperatureUnit> Unit;
    // Elements of daily amounts (AmountElements) read as well, in mm, beside the temperatures.
    std::vector<std::string> Amounts;
    // A band is drawn between these lines (of each station that has both).
    std::optional<TBandElements> Band;
    // A database table's summary is made anew before it is drawn.
    bool BuildDatabaseSummary = false;
};

// The names the command line gives the formats ("readings", "ghcn", "meteostat", "csv", "cdo",
// "ghcn-access", "isd-lite", "ghcnh").
std::optional<TReadingsFormat> ReadingsFormatNamed(std::string_view name);
const char* ReadingsFormatName(TReadingsFormat format);

// The format of a text, told from its first row; with columns asked for, a file whose first row
// names its columns is never read as two columns.
TReadingsFormat DetectReadingsFormat(std::string_view text, bool columnsAsked);

// Reads a text in the given way. A series read from two columns without a header is called
// fallbackName. Raises ReadingsError for the first bad row, a column or element asked for that
// the file lacks, options that do not apply to the file, or a file without readings. A first row
// of no layout known (read as the program's own two columns, but not a date and a value), or a
// header followed by a row whose first field is not a date, is refused with the layouts that
// are known.
TReadingsFile ParseReadingsText(std::string_view text, const TReadingOptions& options,
                                const std::string& fallbackName);

// Told how far the reading of a file has come: the bytes of its text read and in all, every few
// megabytes. It may throw ReadingsError to end the reading.
using TReadProgress = std::function<void(std::size_t read, std::size_t size)>;

// Reads the file at path, or standard input for "-", gzip-compressed or not. A plain file is
// mapped rather than read into memory, and the pages read leave the memory as the rows go by.
TReadingsFile ReadReadingsFile(const std::string& path, const TReadingOptions& options,
                               const TReadProgress& progress = {});

// One line on what was left out ("left out 3 missing values and 1 value with a quality flag"),
// empty when nothing was.
std::string LeftOutNote(const TReadingsFile& file);

// One line on what was read: the layout, the stations, the lines, the dates, the rows and what
// was left out ("GHCN-Daily by-station CSV, station USW00024233: TMAX, TMIN from 2015-01-01 to
// 2015-03-31, 180 rows read; left out 2 missing values").
std::string ReadNote(const TReadingsFile& file);

// The names of the formats, for messages ("readings, ghcn, ...").
std::string ReadingsFormatList();

// The layouts read, in words, for the help and for a file of none of them ("the program's own
// (an ISO 8601 date and a temperature per row), GHCN-Daily by-station CSV, ...").
std::string KnownLayouts();

// Keeps the series that hold readings, each ordered by date, in the file. A series without
// readings is passed over, unless its element was asked for (amounts always are): then the file
// is refused ("holds no TMAX readings").
void KeepSeriesWithReadings(TReadingsFile& file, std::vector<TReadings> series, bool asked);

// The places in known of the elements asked for, in their order (each known one when none is),
// matched without regard to case. One not known is refused: "'TMAX' is not an element of an
// ISD-Lite file (air temperature or dew point)", of being "an ISD-Lite file".
std::vector<std::size_t> ElementsAsked(std::span<const std::string_view> known,
                                       const std::vector<std::string>& asked,
                                       const std::string& of);

// The number of points over all series.
std::int64_t PointCount(const TReadingsFile& file);

}  // namespace twinscope
