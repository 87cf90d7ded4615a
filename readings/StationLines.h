#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/readings/Readings.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The lines of one station of a file whose rows each name their station.
struct TWINSCOPE_EXPORT TStationLines {
    std::string Id;
    std::string Name;
    std::optional<TDateTime> LastDate;
    // One per line read, in the order of the reader's lines.
    std::vector<TReadings> Series;
};

// The station of a row, added when it is new with lines as given (named, without readings) and
// room in each for as many readings as the station before, the first for firstRoom; rows mostly
// come station by station, so the last one is tried first.
TWINSCOPE_EXPORT TStationLines& StationOf(std::vector<TStationLines>& stations, std::string_view id,
                                          std::string_view name,
                                          const std::vector<TReadings>& lines,
                                          std::size_t firstRoom = 0);

// Whether no station has readings in the line at place.
TWINSCOPE_EXPORT bool NoStationHas(const std::vector<TStationLines>& stations, std::size_t place);

// Moves the lines with readings of each station into the file, each station by its name (by its
// id when it has none, or another station has the same one), and names the lines by station
// when there are several.
TWINSCOPE_EXPORT void TakeStationLines(TReadingsFile& file, std::vector<TStationLines>& stations);

}  // namespace twinscope
