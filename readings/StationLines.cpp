#include "twinscope/readings/StationLines.h"

#include <algorithm>

namespace twinscope {

namespace {

std::string ShownName(const std::vector<TStationLines>& stations, const TStationLines& s) {
    if (s.Name.empty()) return s.Id;
    const auto same = std::count_if(stations.begin(), stations.end(),
                                    [&](const TStationLines& t) { return t.Name == s.Name; });
    return same > 1 ? s.Id : s.Name;
}

}  // namespace

TStationLines& StationOf(std::vector<TStationLines>& stations, std::string_view id,
                         std::string_view name, const std::vector<TReadings>& lines,
                         std::size_t firstRoom) {
    if (!stations.empty() && stations.back().Id == id) return stations.back();
    const auto found = std::find_if(stations.begin(), stations.end(),
                                    [&](const TStationLines& s) { return s.Id == id; });
    if (found != stations.end()) return *found;
    // Stations of one file mostly span the same days: room for as many readings as the station
    // before spares the growing, which holds the old values and the new at once.
    std::vector<std::size_t> room(lines.size(), firstRoom);
    for (std::size_t i = 0; i < lines.size() && !stations.empty(); ++i)
        room[i] = stations.back().Series[i].Dates.size();
    TStationLines& s = stations.emplace_back(
        TStationLines{.Id = std::string(id), .Name = std::string(name), .Series = lines});
    for (std::size_t i = 0; i < lines.size(); ++i) {
        s.Series[i].Dates.reserve(room[i]);
        s.Series[i].Temperatures.reserve(room[i]);
    }
    return s;
}

bool NoStationHas(const std::vector<TStationLines>& stations, std::size_t place) {
    return std::all_of(stations.begin(), stations.end(),
                       [&](const TStationLines& s) { return s.Series[place].Dates.empty(); });
}

void TakeStationLines(TReadingsFile& file, std::vector<TStationLines>& stations) {
    for (TStationLines& s : stations) {
        const std::string name = ShownName(stations, s);
        file.Stations.push_back(name);
        for (TReadings& line : s.Series) {
            if (line.Dates.empty()) continue;
            line.Station = name;
            file.Series.push_back(std::move(line));
        }
    }
    NameLinesByStation(file);
}

}  // namespace twinscope
