#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Where a program shows readings from that it does not hold in memory: a file mapped from the
// disk, a database that draws them. The readers of texts leave it empty; a program that has
// such sources derives its own from this.
class TWINSCOPE_EXPORT TReadingsSource {
public:
    virtual ~TReadingsSource();
};

// Readings from a file: dates (date-time values) and temperatures in °F, ordered by date; rows
// with the same date keep the order of the file. Name says what they are (a column's name, an
// element of a station's record), for the legend.
struct TReadings {
    std::vector<double> Dates;
    std::vector<double> Temperatures;
    std::string Name;
    // The station the readings come from, in files that name it.
    std::string Station = {};
    // Temperatures holds daily amounts in mm (rain, snow) instead of temperatures.
    bool Amount = false;
    // Where the readings are shown from in place of Dates and Temperatures, if anywhere.
    std::shared_ptr<const TReadingsSource> Source = {};
};

// A file that cannot be used as readings. Line is the 1-based line of the refused row, 0 when
// the refusal concerns the whole file.
class TWINSCOPE_EXPORT ReadingsError : public RuntimeError {
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

// Orders readings by date; equal dates keep their order.
TWINSCOPE_EXPORT void SortReadingsByDate(TReadings& readings);

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

// The elements of daily amounts that GHCN-Daily and NOAA daily files hold: rain and melted snow
// (PRCP), and snowfall (SNOW).
inline constexpr std::array<std::string_view, 2> AmountElements = {"PRCP", "SNOW"};
// The element of AmountElements that name stands for (regardless of case), if any.
TWINSCOPE_EXPORT std::optional<std::string_view> AmountElementNamed(std::string_view name);
// An amount of a GHCN-Daily record in mm: PRCP comes in tenths of mm, SNOW in mm.
TWINSCOPE_EXPORT double GhcnAmountInMm(std::string_view element, double value);

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

// Readings of more than one station name each line by its station too ("SITKA AIRPORT, AK US
// TMAX"); readings of one station keep the names of their elements.
TWINSCOPE_EXPORT void NameLinesByStation(TReadingsFile& file);

// The bands between the lines of each station that has both, named by the lines ("TMIN-TMAX",
// "SITKA AIRPORT, AK US TMIN-TMAX"). Raises ReadingsError when no station has both ("holds no
// TMIN line for the band (its lines are TMAX, PRCP)").
TWINSCOPE_EXPORT std::vector<TBandReadings> BandsOf(const TReadingsFile& file,
                                                    const TBandElements& band);

}  // namespace twinscope
