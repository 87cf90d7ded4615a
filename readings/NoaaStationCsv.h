#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/readings/Readings.h"
#include "twinscope/readings/TemperatureUnit.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The two CSV layouts in which NOAA hands out daily summaries by station, one row per station
// and day, one column per element, each optionally followed by its "_ATTRIBUTES" column of
// flags ("measurement,quality,source,time").
// - Climate Data Online's daily summaries: STATION, NAME, (LATITUDE, LONGITUDE, ELEVATION,)
//   DATE, then the elements, in °F and inches (standard) or °C and mm (metric): the file does
//   not say which.
// - The GHCN-Daily station files of the access folder: STATION, DATE, LATITUDE, LONGITUDE,
//   ELEVATION, NAME, then the elements in GHCN-Daily's own units, temperatures in tenths of °C.
enum class TNoaaLayout : std::uint8_t { CdoDaily, GhcnAccess };

// The layout whose header the row is: the first column STATION and a column DATE; the access
// folder's files have DATE second and LATITUDE third.
TWINSCOPE_EXPORT std::optional<TNoaaLayout> NoaaLayoutOf(std::string_view firstRow);

// Reads such a text. The temperature elements (TMAX, TMIN, TAVG, TOBS) become series in °F:
// those named in elements, in that order, or each that the header has and that has readings.
// There is a series per station and element, named by the element and, in a file of several
// stations, by the station's name too ("SITKA AIRPORT, AK US TMAX"); stations that share a name
// are named by their id. Empty fields
// are missing values, values with a quality flag failed a check: both are left out and
// counted. The amounts named (PRCP, SNOW) become series in mm after the temperatures. The rows
// of a station come in date order. unit is that of the daily summaries; the
// access folder's files have their own.
TWINSCOPE_EXPORT TReadingsFile ParseNoaaStationCsv(std::string_view text, TNoaaLayout layout,
                                                   const std::vector<std::string>& elements,
                                                   TTemperatureUnit unit,
                                                   const std::vector<std::string>& amounts = {});

}  // namespace twinscope
