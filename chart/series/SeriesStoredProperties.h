#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The properties a series stores with the window besides its published ones, in the order
// they are stored. An absent field is a property that is not stored.
struct TWINSCOPE_EXPORT TSeriesStoredProperties {
    std::optional<std::string> Identifier;
    // Style flags; only bits 0 to 5 are taken.
    std::optional<std::int32_t> Style;
    // Names of the series' data sources, resolved once the whole window is loaded.
    std::optional<std::vector<std::string>> DataSources;
    // Indexes into the chart's custom-axis collection.
    std::optional<std::int32_t> CustomHorizAxis;
    std::optional<std::int32_t> CustomVertAxis;
    // The points (see SeriesDataStream.h).
    std::optional<std::vector<std::uint8_t>> Data;

    friend bool operator==(const TSeriesStoredProperties&,
                           const TSeriesStoredProperties&) = default;
};

// What `series` stores. `ancestor` is the same series in the window an inherited window
// derives from; with one, the points are stored only when they differ from the ancestor's.
// A custom axis that is not among the custom axes of the series' chart (or a series without a
// chart) has no index to store and is left out.
TWINSCOPE_EXPORT TSeriesStoredProperties
WriteStoredProperties(const TChartSeries& series, const TChartSeries* ancestor = nullptr);

// Applies the stored properties to `series` while the window is loaded. A custom axis index
// outside `chart`'s custom axes raises the collection's ListIndexError; bad "Data" raises
// StreamReadError. Data sources are not touched: they name components that may not exist
// yet, so the loader passes them to ResolveDataSources once loading is complete.
TWINSCOPE_EXPORT void ReadStoredProperties(TChartSeries& series, TSeriesHost& chart,
                                           const TSeriesStoredProperties& properties);

// Finds the component of that name among the window's components; nullopt when none exists.
using DataSourceLookup = std::function<std::optional<TSeriesDataSource>(const std::string&)>;

// Adds each named component that `lookup` finds as a data source of `series`; names that
// name nothing are passed over.
TWINSCOPE_EXPORT void ResolveDataSources(TChartSeries& series,
                                         const std::vector<std::string>& names,
                                         const DataSourceLookup& lookup);

}  // namespace twinscope
