#pragma once

#include <string_view>

#include "app/NamedColumnsCsv.h"

namespace twinscope {

// Whether a row is the first of a Meteostat file: Meteostat's header of a daily file
// (date,tavg,tmin,tmax,prcp,...) or of an hourly one (time,temp,dwpt,...), or a record of the bulk
// files, which come without a header: 11 fields from a date on (daily), 13 from a date and an
// hour (hourly).
bool IsMeteostatRow(std::string_view row);

// How a Meteostat file whose first row is given is read: temperatures in °C; daily files give
// tavg, tmin and tmax, hourly files (those with a temp column) temp, unless columns are asked
// for. A first row whose first field holds no digit is the header.
TColumnLayout MeteostatLayout(std::string_view firstRow);

}  // namespace twinscope
