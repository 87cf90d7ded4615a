#pragma once

#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/CustomChart.h"

// Single steps of a chart's layout, for tests that look at one axis or one step at a time.
// Each takes the layout the chart keeps, changes one thing as the layout would, and keeps it
// again; the whole layout is TCustomChart::LayOut.
namespace twinscope::testing::steps {

// What every axis's series tell it, as a layout first learns.
inline void GatherBoundSeries(TCustomChart& chart) {
    TChartLayout layout = chart.Layout();
    for (const TChartAxis* axis : chart.Axes())
        layout.Axes[axis].Series = chart.BoundSeriesOf(*axis);
    chart.KeepLayout(std::move(layout));
}

// The paint bounds a layout starts from, and the plot as the margins leave it; the axes keep
// what they had.
inline void StartLayout(TCustomChart& chart, const TRect& bounds) {
    TChartLayout layout = chart.Layout();
    layout.Bounds = bounds;
    layout.Plot = chart.MarginPlot(bounds);
    chart.KeepLayout(std::move(layout));
}

// What an axis's series tell it and the range it prepares (its automatic ends written into its
// stored range), over the pixels it spanned in the kept layout.
inline void PrepareAxisRange(TCustomChart& chart, TChartAxis& axis) {
    TChartLayout layout = chart.Layout();
    TAxisPaint& paint = layout.Axes[&axis];
    paint.Series = chart.BoundSeriesOf(axis);
    paint.Map = ShownRangeMap(axis, paint, axis.PrepareRange(paint.Series), chart.Canvas());
    chart.KeepLayout(std::move(layout));
}

// An axis's range mapped onto the edge of a plot rectangle.
inline void MapAxis(TCustomChart& chart, const TChartAxis& axis, const TRect& plot) {
    TChartLayout layout = chart.Layout();
    TScaleMap& map = layout.Axes[&axis].Map;
    map = AxisScaleMap(axis, map.Range(), AxisPixelSpan(axis, plot));
    chart.KeepLayout(std::move(layout));
}

// An axis's range widened by its end offsets once the plot is final.
inline void ApplyAxisOffsets(TCustomChart& chart, const TChartAxis& axis) {
    TChartLayout layout = chart.Layout();
    TAxisPaint& paint = layout.Axes[&axis];
    if (const std::optional<TScaleRange> widened = WidenedForOffsets(axis, paint.Map)) {
        paint.Map = ShownRangeMap(axis, paint, *widened, chart.Canvas());
        if (axis.Labels().Visible()) paint.Layout = TitleBeyondLabels(axis, paint, chart.Canvas());
    }
    chart.KeepLayout(std::move(layout));
}

// The whole layout within the kept paint bounds, measured in `measure` (none: no text is
// measured and only the axes are mapped onto the plot the margins leave).
inline void FitAxesIntoPlot(TCustomChart& chart, TCanvas3D* measure = nullptr) {
    chart.LayOut(measure, chart.PaintBounds());
}

}  // namespace twinscope::testing::steps
