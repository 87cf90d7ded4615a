#pragma once

#include <string_view>

#include "app/NamedColumnsCsv.h"

namespace twinscope {

// Whether a row is the first of a Meteostat file: Meteostat's header of a daily file
// (date,tavg,tmin,tmax,prcp,...) or of an hourly one (time,temp,dwpt,...), a record of the
// station-long bulk files, which come without a header: 11 fields from a date on (daily), 13
// from a date and an hour (hourly), or the header of the per-year bulk files: the date in parts,
// each parameter followed by its sources (year,month,day[,hour],temp,temp_source,...).
bool IsMeteostatRow(std::string_view row);

// How a Meteostat file whose first row is given is read: temperatures in °C; daily files give
// tavg, tmin and tmax (the per-year files temp, tmin and tmax), hourly files (those with a temp
// column or an hour) temp, unless columns are asked for. A first row whose first field holds no
// digit is the header.
TColumnLayout MeteostatLayout(std::string_view firstRow);

}  // namespace twinscope
