#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsCsv.h"
#include "app/TemperatureUnit.h"

namespace twinscope {

// The kinds of readings files: the program's own two columns of a date and a temperature;
// GHCN-Daily by-station CSV; Meteostat daily or hourly CSV; any CSV whose first row names its
// columns; NOAA Climate Data Online's daily summaries; the GHCN-Daily station CSV of NOAA's
// access folder; NOAA's fixed-width ISD-Lite hourly records.
enum class TReadingsFormat : std::uint8_t {
    Readings,
    Ghcn,
    Meteostat,
    Csv,
    Cdo,
    GhcnAccess,
    IsdLite
};

// The two lines a band spans, by their elements or columns (TMIN and TMAX).
struct TBandElements {
    std::string Low;
    std::string High;
    friend bool operator==(const TBandElements&, const TBandElements&) = default;
};

// One band's points: per date of either line, in date order, the low and the high reading;
// not a number where a line has none that day.
struct TBandReadings {
    std::string Name;
    std::vector<double> Dates;
    std::vector<double> Lows;
    std::vector<double> Highs;
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

// The elements of daily amounts that GHCN-Daily and NOAA daily files hold: rain and melted snow
// (PRCP), and snowfall (SNOW).
inline constexpr std::array<std::string_view, 2> AmountElements = {"PRCP", "SNOW"};
// The element of AmountElements that name stands for (regardless of case), if any.
std::optional<std::string_view> AmountElementNamed(std::string_view name);
// An amount of a GHCN-Daily record in mm: PRCP comes in tenths of mm, SNOW in mm.
double GhcnAmountInMm(std::string_view element, double value);

// What a file holds: one series of readings per column or element, and the values left out
// because they were missing or flagged by the source's quality control.
struct TReadingsFile {
    std::vector<TReadings> Series;
    std::int64_t MissingValues = 0;
    std::int64_t FlaggedValues = 0;
    // What was read, for the line that says so: the layout ("NOAA daily summaries in °F"), the
    // stations of files that name them and the rows read.
    std::string Layout;
    std::vector<std::string> Stations;
    std::int64_t Rows = 0;
    // The bands between lines that the reading options asked for.
    std::vector<TBandReadings> Bands;
};

// The names the command line gives the formats ("readings", "ghcn", "meteostat", "csv", "cdo",
// "ghcn-access", "isd-lite").
std::optional<TReadingsFormat> ReadingsFormatNamed(std::string_view name);
const char* ReadingsFormatName(TReadingsFormat format);

// The format of a text, told from its first row; with columns asked for, a file whose first row
// names its columns is never read as two columns.
TReadingsFormat DetectReadingsFormat(std::string_view text, bool columnsAsked);

// Reads a text in the given way. A series read from two columns without a header is called
// fallbackName. Raises ReadingsError for the first bad row, a column or element asked for that
// the file lacks, options that do not apply to the file, or a file without readings. A first row
// of no layout known (read as the program's own two columns, but not a date and a value) is
// refused with the layouts that are known.
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

// Readings of more than one station name each line by its station too ("SITKA AIRPORT, AK US
// TMAX"); readings of one station keep the names of their elements.
void NameLinesByStation(TReadingsFile& file);

// Keeps the series that hold readings, each ordered by date, in the file. A series without
// readings is passed over, unless its element was asked for (amounts always are): then the file
// is refused ("holds no TMAX readings").
void KeepSeriesWithReadings(TReadingsFile& file, std::vector<TReadings> series, bool asked);

// The bands between the lines of each station that has both, named by the lines ("TMIN-TMAX",
// "SITKA AIRPORT, AK US TMIN-TMAX"). Raises ReadingsError when no station has both ("holds no
// TMIN line for the band (its lines are TMAX, PRCP)").
std::vector<TBandReadings> BandsOf(const TReadingsFile& file, const TBandElements& band);

// The number of points over all series.
std::int64_t PointCount(const TReadingsFile& file);

}  // namespace twinscope
