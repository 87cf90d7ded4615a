#pragma once

#include <cstddef>
#include <cstdint>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartAxis;
class TChartSeries;
// What the chart tells its listeners about a series.
enum class TChartSeriesEvent : std::int32_t {
    seAdd = 0,
    seRemove = 1,
    seChangeTitle = 2,
    seChangeColor = 3,
    seChangeActive = 5,
    seDataChanged = 6,
    seRemoved = 7,
};
using enum TChartSeriesEvent;

// What a series needs of the chart it belongs to. The chart implements it; a series knows its
// chart only through it.
class TWINSCOPE_EXPORT TSeriesHost {
public:
    virtual ~TSeriesHost() = default;

    // Marks the chart's image stale and asks for a repaint.
    virtual void Invalidate() = 0;
    // The chart is being destroyed: its series leave it silently.
    virtual bool Destroying() const = 0;

    // Geometry and settings of the paint in progress.
    virtual const TRect& PlotRect() const = 0;
    virtual std::int32_t Width() const = 0;
    virtual bool View3D() const = 0;
    // Series are drawn clipped to the plot rectangle.
    virtual bool ClipPoints() const = 0;
    // How an axis maps values to pixels in the paint in progress (or the last one).
    virtual const TScaleMap& ScaleMapOf(const TChartAxis& axis) const = 0;

    // The standard axes a series binds to, and the chart's custom axes by their place.
    virtual TChartAxis& BottomAxis() const = 0;
    virtual TChartAxis& TopAxis() const = 0;
    virtual TChartAxis& LeftAxis() const = 0;
    virtual TChartAxis& RightAxis() const = 0;
    // Raises ListIndexError for an index outside the custom axes.
    virtual TChartAxis& CustomAxis(std::ptrdiff_t index) const = 0;
    // The place of a custom axis among the chart's custom axes, or -1.
    virtual std::ptrdiff_t CustomAxisIndex(const TChartAxis& axis) const = 0;

    // Colours and places in the chart's series list.
    virtual TColor PaletteColor(std::int32_t index) const = 0;
    // The next palette colour that no series other than `except` uses.
    virtual TColor FreeSeriesColor(const TChartSeries* except) const = 0;
    virtual std::ptrdiff_t SeriesIndexOf(const TChartSeries& series) const = 0;

protected:
    // The chart's side of a series joining (colour, then axes) and leaving its list.
    static void SeriesJoined(TChartSeries& series);
    static void SeriesLeft(TChartSeries& series);
    // A palette colour for a series without its own colour.
    static void GiveSeriesColor(TChartSeries& series, TColor color);

private:
    // A series joins and leaves the chart's list through its ParentChart setter and reports its
    // events to the chart's listeners.
    friend class TChartSeries;
    virtual void AddSeries(TChartSeries& series) = 0;
    virtual void RemoveSeries(TChartSeries& series) = 0;
    virtual void BroadcastSeriesEvent(TChartSeriesEvent event, TChartSeries& series) = 0;
};

}  // namespace twinscope
