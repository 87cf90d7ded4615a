#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ReadingsFile.h"

namespace twinscope {

// Whether a row is the first of a GHCN-Daily by-station file: the column names ID, DATE (or
// YYYYMMDD), ELEMENT, ..., or a record of a station, a date YYYYMMDD and an element.
bool IsGhcnDailyRow(std::string_view row);

// Reads a GHCN-Daily by-station CSV text: per row a station's ID, a date YYYYMMDD, an element,
// its value and the measurement, quality and source flags and the observation time. The
// temperature elements TMAX, TMIN and TAVG (tenths of °C) become series in °F, those named in
// elements (in that order) or, when none is named, each that has readings, in that order.
// Values of -9999 (missing) and values with a quality flag (failed a check) are left out and
// counted. The amounts named (PRCP, SNOW) become series in mm after them. Other elements are
// checked as rows and otherwise passed over.
TReadingsFile ParseGhcnDailyCsv(std::string_view text, const std::vector<std::string>& elements,
                                const std::vector<std::string>& amounts = {});

}  // namespace twinscope
