#include "twinscope/chart/panel/SeriesLayer.h"

#include <cstddef>

#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/chart/series/ChartSeries.h"

namespace twinscope {

namespace {

void DrawSeries(TCustomAxisPanel& chart, TChartSeries& series, TCanvas3D& canvas) {
    if (!series.Active()) return;
    series.ComputeShownRange();
    if (series.FirstShownIndex() < 0) return;
    if (!chart.ClipPoints() || !series.UseAxis()) {
        series.DrawAllPoints(canvas);
        series.DrawingDone();
        return;
    }
    // The box is the plot widened by a pixel at the top and bottom; the canvas's box clip makes
    // that (Left + 1, Top, Right, Bottom), so a line may run along the plot's top row but stays
    // off the frame's left column.
    const TRect& plot = chart.PlotRect();
    const TClipGuard clip(canvas, {plot.Left, plot.Top - 1, plot.Right, plot.Bottom + 1}, 0, 0);
    series.DrawAllPoints(canvas);
    series.DrawingDone();
}

}  // namespace

void DrawSeriesLayer(TCustomAxisPanel& chart, TCanvas3D& canvas) {
    const TGroupGuard group(canvas, "Series");
    const std::size_t count = chart.SeriesCount();
    const bool reversed = chart.DepthAxis().Inverted();
    for (std::size_t k = 0; k < count; ++k)
        DrawSeries(chart, chart.Series(reversed ? count - 1 - k : k), canvas);
}

}  // namespace twinscope
