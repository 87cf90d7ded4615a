#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsFile.h"

namespace twinscope {

// Whether a row is a record of NOAA's ISD-Lite hourly layout: fixed-width fields, the year in
// columns 1-4, the month in 6-7, the day in 9-10 and the hour (UTC) in 12-13, then the air
// temperature in 14-19 and the dew point in 20-25, each in tenths of °C, right-aligned.
bool IsIsdLiteRow(std::string_view row);

// Reads an ISD-Lite text: the air temperature ("air temperature") and the dew point ("dew
// point") become series in °F, those named in elements (in that order) or, when none is named,
// each that has readings. Values of -9999 (missing) are left out and counted. The later fields
// (pressure, wind, sky, precipitation) are passed over.
TReadingsFile ParseIsdLite(std::string_view text, const std::vector<std::string>& elements);

}  // namespace twinscope
