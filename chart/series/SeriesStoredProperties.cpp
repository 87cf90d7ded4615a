#include "twinscope/chart/series/SeriesStoredProperties.h"

#include "twinscope/chart/series/SeriesDataStream.h"

namespace twinscope {

namespace {

std::optional<std::int32_t> StoredAxisIndex(const TChartSeries& series, const TChartAxis* axis) {
    if (!axis || !series.ParentChart()) return std::nullopt;
    const std::ptrdiff_t index = series.ParentChart()->CustomAxisIndex(*axis);
    if (index < 0) return std::nullopt;
    return static_cast<std::int32_t>(index);
}

}  // namespace

TSeriesStoredProperties WriteStoredProperties(const TChartSeries& series,
                                              const TChartSeries* ancestor) {
    TSeriesStoredProperties p;
    if (!series.Identifier().empty()) p.Identifier = series.Identifier();
    if (series.Style() != 0) p.Style = series.Style();
    // A single source that is not a series is stored with the published properties instead.
    const std::vector<TSeriesDataSource>& sources = series.DataSources();
    if (!sources.empty() && !(sources.size() == 1 && !sources[0].IsSeries)) {
        p.DataSources.emplace();
        for (const TSeriesDataSource& source : sources)
            p.DataSources->push_back(source.Name);
    }
    p.CustomHorizAxis = StoredAxisIndex(series, series.CustomHorizAxis());
    p.CustomVertAxis = StoredAxisIndex(series, series.CustomVertAxis());
    if (ShouldWriteData(series, ancestor)) p.Data = WriteSeriesData(series);
    return p;
}

void ReadStoredProperties(TChartSeries& series, TSeriesHost& chart,
                          const TSeriesStoredProperties& properties) {
    if (properties.Identifier) series.SetIdentifier(*properties.Identifier);
    if (properties.Style) series.SetStyle(*properties.Style);
    if (properties.CustomHorizAxis)
        series.BindCustomHorizAxis(&chart.CustomAxis(*properties.CustomHorizAxis));
    if (properties.CustomVertAxis)
        series.BindCustomVertAxis(&chart.CustomAxis(*properties.CustomVertAxis));
    if (properties.Data) ReadSeriesData(series, *properties.Data);
}

void ResolveDataSources(TChartSeries& series, const std::vector<std::string>& names,
                        const DataSourceLookup& lookup) {
    for (const std::string& name : names) {
        if (const std::optional<TSeriesDataSource> source = lookup(name))
            series.AddDataSource(*source);
    }
}

}  // namespace twinscope
