#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsFile.h"

namespace twinscope {

// Whether a row is the header of NOAA's GHCNh hourly files: column names separated by '|',
// STATION first, and a temperature column.
bool IsGhcnHourlyHeader(std::string_view row);

// Reads a GHCNh text: a header naming its columns, then a row per station and observation time,
// its DATE written "2023-01-01T06:00:00" (UTC). Each variable has a column of its value and
// columns after it named by it ("temperature_Quality_Code", ...); the columns are found by their
// names. The air temperature ("temperature") and the dew point ("dew_point_temperature"), in °C,
// become series in °F: those named in elements (in that order) or, when none is named, each that
// has readings. There is a series per station and element, named by the station's name in a file
// of several stations, as in NOAA's daily files. Empty values are missing, values whose quality
// code marks them suspect or erroneous are flagged: both are left out and counted. A station's
// rows come in time order.
TReadingsFile ParseGhcnHourly(std::string_view text, const std::vector<std::string>& elements);

}  // namespace twinscope
