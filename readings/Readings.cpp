#include "twinscope/readings/Readings.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "twinscope/readings/CsvRows.h"

namespace twinscope {

TReadingsSource::~TReadingsSource() = default;

// Files mostly come sorted, which costs one pass.
void SortReadingsByDate(TReadings& r) {
    if (std::is_sorted(r.Dates.begin(), r.Dates.end())) return;
    std::vector<std::uint32_t> order(r.Dates.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return r.Dates[a] < r.Dates[b]; });
    TReadings sorted{.Name = r.Name, .Station = r.Station};
    sorted.Dates.reserve(order.size());
    sorted.Temperatures.reserve(order.size());
    for (std::uint32_t i : order) {
        sorted.Dates.push_back(r.Dates[i]);
        sorted.Temperatures.push_back(r.Temperatures[i]);
    }
    r = std::move(sorted);
}

std::optional<std::string_view> AmountElementNamed(std::string_view name) {
    for (std::string_view element : AmountElements) {
        if (SameColumnName(element, name)) return element;
    }
    return std::nullopt;
}

double GhcnAmountInMm(std::string_view element, double value) {
    return element == "PRCP" ? value / 10 : value;
}

void NameLinesByStation(TReadingsFile& file) {
    std::vector<std::string> stations;
    for (const TReadings& r : file.Series) {
        if (!r.Station.empty() &&
            std::find(stations.begin(), stations.end(), r.Station) == stations.end())
            stations.push_back(r.Station);
    }
    if (stations.size() < 2) return;
    for (TReadings& r : file.Series) {
        if (!r.Station.empty() && !r.Name.starts_with(r.Station + " "))
            r.Name = r.Station + " " + r.Name;
    }
}

namespace {

// The element or column of a line, without the station that NameLinesByStation put before it.
std::string_view ElementOf(const TReadings& r) {
    std::string_view name = r.Name;
    if (!r.Station.empty() && name.starts_with(r.Station + " "))
        name.remove_prefix(r.Station.size() + 1);
    return name;
}

// A line held in memory; one shown from elsewhere has no readings to lay a band over.
const TReadings* LineOf(const TReadingsFile& file, const std::string& station,
                        const std::string& element) {
    for (const TReadings& r : file.Series) {
        if (r.Station == station && !r.Source && SameColumnName(ElementOf(r), element)) return &r;
    }
    return nullptr;
}

TBandReadings Between(const TReadings& low, const TReadings& high) {
    TBandReadings band;
    const double none = std::nan("");
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < low.Dates.size() || j < high.Dates.size()) {
        const bool takeLow =
            i < low.Dates.size() && (j == high.Dates.size() || low.Dates[i] <= high.Dates[j]);
        const bool takeHigh =
            j < high.Dates.size() && (i == low.Dates.size() || high.Dates[j] <= low.Dates[i]);
        band.Dates.push_back(takeLow ? low.Dates[i] : high.Dates[j]);
        band.Lows.push_back(takeLow ? low.Temperatures[i++] : none);
        band.Highs.push_back(takeHigh ? high.Temperatures[j++] : none);
    }
    return band;
}

}  // namespace

std::vector<TBandReadings> BandsOf(const TReadingsFile& file, const TBandElements& band) {
    std::vector<TBandReadings> bands;
    std::vector<std::string> stations;
    for (const TReadings& r : file.Series) {
        if (std::find(stations.begin(), stations.end(), r.Station) == stations.end())
            stations.push_back(r.Station);
    }
    const bool named = stations.size() > 1;
    for (const std::string& station : stations) {
        const TReadings* low = LineOf(file, station, band.Low);
        const TReadings* high = LineOf(file, station, band.High);
        if (!low || !high) continue;
        TBandReadings& b = bands.emplace_back(Between(*low, *high));
        b.Name = (named ? station + " " : "") + std::string(ElementOf(*low)) + "-" +
                 std::string(ElementOf(*high));
    }
    if (!bands.empty()) return bands;
    std::string lines;
    for (const TReadings& r : file.Series) {
        const std::string element(ElementOf(r));
        if (lines.find(element) == std::string::npos)
            lines += (lines.empty() ? "" : ", ") + element;
    }
    const bool lowFound =
        std::any_of(file.Series.begin(), file.Series.end(),
                    [&](const TReadings& r) { return SameColumnName(ElementOf(r), band.Low); });
    throw ReadingsError(0, "holds no " + (lowFound ? band.High : band.Low) +
                               " line for the band (its lines are " + lines + ")");
}

}  // namespace twinscope
