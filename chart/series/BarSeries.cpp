#include "twinscope/chart/series/BarSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/series/PixelColumns.h"
#include "twinscope/runtime/ChangeNotifier.h"

namespace twinscope {

TBarSeries::TBarSeries() {
    Pen().Hide();
}

void TBarSeries::SetBase(double value) {
    if (StoreIfChanged(base_, value)) Repaint();
}

void TBarSeries::SetBarWidth(std::int32_t pixels) {
    if (StoreIfChanged(barWidth_, std::max(pixels, 0))) Repaint();
}

void TBarSeries::SetBarWidthPercent(std::int32_t percent) {
    if (StoreIfChanged(barWidthPercent_, std::max(percent, 1))) Repaint();
}

bool TBarSeries::BaseCounts() const {
    return !ResolvedVertAxis() || !ResolvedVertAxis()->Logarithmic();
}

double TBarSeries::MaxYValue() {
    const double high = TChartSeries::MaxYValue();
    return PointCount() > 0 && BaseCounts() ? std::max(high, base_) : high;
}

double TBarSeries::MinYValue() {
    const double low = TChartSeries::MinYValue();
    return PointCount() > 0 && BaseCounts() ? std::min(low, base_) : low;
}

void TBarSeries::WidenShownRange() {
    if (FirstShownIndex() > 0) SetShownRange(FirstShownIndex() - 1, LastShownIndex());
}

std::int32_t TBarSeries::BasePixel() const {
    const TScaleMap& vertical = YMap();
    if (vertical.Kind() == skLogarithmic || !vertical.InDomain(base_)) {
        return vertical.ToPixel(vertical.Minimum());
    }
    return YPixelOfValue(base_);
}

std::int32_t TBarSeries::ShownBarWidth() const {
    if (barWidth_ > 0) return barWidth_;
    const std::int32_t first = FirstShownIndex();
    const std::int32_t last = std::min(LastShownIndex(), PointCount() - 1);
    if (first < 0 || !ParentChart()) return 0;
    if (first == last)
        return std::max(ParentChart()->PlotRect().Width() * barWidthPercent_ / 100, 1);
    // More points than pixel columns: some column holds two.
    if (last - first > ParentChart()->PlotRect().Width() + 2) return 0;
    std::int32_t smallest = std::abs(XPixel(first + 1) - XPixel(first));
    for (std::int32_t i = first + 1; i < last && smallest > 0; ++i)
        smallest = std::min(smallest, std::abs(XPixel(i + 1) - XPixel(i)));
    if (smallest == 0) return 0;
    return std::max(static_cast<std::int32_t>(std::lround(smallest * barWidthPercent_ / 100.0)), 1);
}

void TBarSeries::DrawBar(TCanvas3D& canvas, std::int32_t left, std::int32_t right, double value,
                         TColor color) {
    const std::int32_t y = YPixelOfValue(value);
    const std::int32_t base = BasePixel();
    canvas.SetBrushColor(color);
    const TRect bar{left, std::min(y, base), right, std::max(y, base)};
    // Without an outline a bar is a plain fill, the cheapest thing a canvas draws.
    if (!Pen().Visible()) {
        canvas.FillRect(bar);
        return;
    }
    canvas.SetPenFrom(Pen(), color);
    canvas.Rectangle(bar);
}

void TBarSeries::DrawAllPoints(TCanvas3D& canvas) {
    if (!ParentChart() || FirstShownIndex() < 0) return;
    const std::int32_t first = FirstShownIndex();
    const std::int32_t end = std::min(LastShownIndex(), PointCount() - 1) + 1;
    const std::int32_t width = ShownBarWidth();
    canvas.AssignBrush(Brush(), SeriesColor());
    std::optional<TTransparencyGuard> transparency;
    if (Transparency() != 0)
        transparency.emplace(canvas, ParentChart()->PlotRect(), Transparency());

    auto drawPoint = [&](std::int32_t i, std::int32_t w) {
        if (IsGap(i)) return;
        const std::int32_t x = XPixel(i);
        const std::int32_t left = x - (w - 1) / 2;
        DrawBar(canvas, left, left + w, YValues()[i], PointColor(i));
    };
    if (width > 0) {
        for (std::int32_t i = first; i < end; ++i)
            drawPoint(i, width);
        return;
    }
    const TScaleMap& vertical = YMap();
    const bool columns = XValues().Order() == loAscending && !HasPointColors() &&
                         !ColorEachPoint() && SeriesColor() != clNone;
    auto pointByPoint = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i < to; ++i)
            drawPoint(i, 1);
    };
    if (!columns) return pointByPoint(first, end);
    ForEachPixelColumn(
        XMap(), XValues().View(), first, end,
        [&](std::int32_t x, std::int32_t from, std::int32_t to) {
            if (to - from < MinimumColumnPoints) return pointByPoint(from, to);
            const TValueSpread spread = YValues().Spread(from, to);
            if (spread.notANumber || !vertical.InDomain(spread.low) ||
                !vertical.InDomain(spread.high) || !XMap().InDomain(XValues()[from]) ||
                !XMap().InDomain(XValues()[to - 1])) {
                return pointByPoint(from, to);
            }
            // Both ends: the bars of a column reach the base from either side of it.
            DrawBar(canvas, x, x + 1, spread.high, SeriesColor());
            if (spread.low < base_) DrawBar(canvas, x, x + 1, spread.low, SeriesColor());
        },
        [&](std::int32_t next) { YValues().PrefetchSpread(next); });
}

}  // namespace twinscope
