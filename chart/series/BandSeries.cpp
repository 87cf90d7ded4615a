#include "twinscope/chart/series/BandSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/series/PixelColumns.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

// Whether a piece's vertices stand in neighbouring pixel columns, each for many points: it is
// then filled one column at a time, which puts down the pixels its outline would, faster than
// a polygon of as many vertices.
bool FilledByColumns(const std::vector<TPoint>& high, bool columns) {
    if (!columns) return false;
    for (std::size_t k = 1; k < high.size(); ++k) {
        if (high[k].X != high[k - 1].X + 1) return false;
    }
    return true;
}

void Take(TRect& box, TPoint p) {
    box.Left = std::min(box.Left, p.X);
    box.Top = std::min(box.Top, p.Y);
    box.Right = std::max(box.Right, p.X + 1);
    box.Bottom = std::max(box.Bottom, p.Y + 1);
}

std::string Count(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

TBandSeries::TBandSeries() : lowValues_(this, "Low") {
    YValues().SetName("High");
    lowValues_.SetStagedValue(std::nan(""));
}

std::int32_t TBandSeries::AddBand(double x, double low, double high, const std::string& label,
                                  TColor colour) {
    lowValues_.SetStagedValue(low);
    const std::int32_t index = AddPoint(x, high, label, colour);
    // A point added without a low has none.
    lowValues_.SetStagedValue(std::nan(""));
    return index;
}

void TBandSeries::AppendBand(std::span<const double> xs, std::span<const double> lows,
                             std::span<const double> highs) {
    if (xs.size() != lows.size() || xs.size() != highs.size()) {
        throw RuntimeError("Band append: " + Count(xs.size()) + " X values, " + Count(lows.size()) +
                           " low values and " + Count(highs.size()) + " high values");
    }
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double previous = i > 0 ? xs[i - 1] : PointCount() > 0 ? XValues().Last() : xs[0];
        if (xs[i] < previous) {
            throw RuntimeError("Band append: the X value at index " + Count(i) +
                               " is below the one before it");
        }
    }
    const std::span<const double> further[] = {lows};
    AppendPointsWith(xs, highs, further);
}

void TBandSeries::SetFixedLow(std::optional<double> value) {
    if (StoreIfChanged(fixedLow_, value)) Repaint();
}

void TBandSeries::SetFillTransparency(std::int32_t percent) {
    if (StoreIfChanged(fillTransparency_, std::clamp(percent, 0, 100))) Repaint();
}

void TBandSeries::SetShowEdges(bool b) {
    if (StoreIfChanged(showEdges_, b)) Repaint();
}

double TBandSeries::MaxYValue() {
    const double high = TChartSeries::MaxYValue();
    if (PointCount() == 0) return high;
    return std::max(high, fixedLow_ ? *fixedLow_ : lowValues_.Highest());
}

double TBandSeries::MinYValue() {
    const double high = TChartSeries::MinYValue();
    if (PointCount() == 0) return high;
    return std::min(high, fixedLow_ ? *fixedLow_ : lowValues_.Lowest());
}

void TBandSeries::WidenShownRange() {
    if (FirstShownIndex() > 0) SetShownRange(FirstShownIndex() - 1, LastShownIndex());
}

double TBandSeries::LowAt(std::int32_t index) const {
    return fixedLow_ ? *fixedLow_ : lowValues_[index];
}

std::optional<double> TBandSeries::RangeLow(std::int32_t index) const {
    if (index < 0 || index >= lowValues_.Count()) return std::nullopt;
    return LowAt(index);
}

bool TBandSeries::HasBand(std::int32_t index) const {
    if (!HasValue(index) || PointColor(index) == clNone) return false;
    const double low = LowAt(index);
    return !std::isnan(low) && YMap().InDomain(low);
}

std::vector<TBandSeries::TPiece> TBandSeries::Pieces() {
    std::vector<TPiece> pieces;
    TPiece piece;
    auto close = [&] {
        if (piece.high.size() >= 2) pieces.push_back(std::move(piece));
        piece = {};
    };
    const TScaleMap& vertical = YMap();
    const TRect& plot = ParentChart()->PlotRect();
    const std::int32_t first = FirstShownIndex();
    const std::int32_t end = std::min(LastShownIndex(), PointCount() - 1) + 1;

    // A point beyond the plot is replaced by where the band crosses the plot's edge on the way
    // to its neighbour, so that a point far off (its pixel held at the limit) tilts nothing.
    auto atEdge = [&](std::int32_t outside, std::int32_t inside, std::int32_t edge) {
        const double xa = XValues()[outside];
        const double xb = XValues()[inside];
        const double f = xa == xb ? 0 : (XValueOfPixel(edge) - xa) / (xb - xa);
        piece.columns = false;
        piece.high.push_back(
            {edge, YPixelOfValue(vertical.Between(YValues()[outside], YValues()[inside], f))});
        piece.low.push_back(
            {edge, YPixelOfValue(vertical.Between(LowAt(outside), LowAt(inside), f))});
    };
    auto addPoint = [&](std::int32_t i) {
        if (!HasBand(i)) {
            close();
            return;
        }
        const std::int32_t x = XPixel(i);
        const bool beyond = x < plot.Left || x > plot.Right;
        const std::int32_t edge = x < plot.Left ? plot.Left : plot.Right;
        if (beyond && i == first && i + 1 < end && HasBand(i + 1)) {
            atEdge(i, i + 1, edge);
        } else if (beyond && i == end - 1 && i > first && HasBand(i - 1) && !piece.high.empty()) {
            atEdge(i, i - 1, edge);
        } else {
            piece.columns = false;
            piece.high.push_back({x, YPixel(i)});
            piece.low.push_back({x, YPixelOfValue(LowAt(i))});
        }
    };
    auto pointByPoint = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i < to; ++i)
            addPoint(i);
    };

    const TChartAxis* horizontal = ResolvedHorizAxis();
    const bool columns = horizontal && horizontal->Horizontal() &&
                         XValues().Order() == loAscending && !HasPointColors() && !ColorEachPoint();
    if (!columns) {
        pointByPoint(first, end);
    } else {
        auto inDomain = [&](const TValueSpread& s) {
            return !s.notANumber && vertical.InDomain(s.low) && vertical.InDomain(s.high);
        };
        ForEachPixelColumn(
            XMap(), XValues().View(), first, end,
            [&](std::int32_t x, std::int32_t from, std::int32_t to) {
                if (to - from < MinimumColumnPoints) return pointByPoint(from, to);
                const TValueSpread high = YValues().Spread(from, to);
                const TValueSpread low =
                    fixedLow_ ? TValueSpread{*fixedLow_, *fixedLow_, std::isnan(*fixedLow_)}
                              : lowValues_.Spread(from, to);
                // A column holding a break is drawn point by point, so the band breaks there too.
                if (!inDomain(high) || !inDomain(low) || !XMap().InDomain(XValues()[from]) ||
                    !XMap().InDomain(XValues()[to - 1])) {
                    return pointByPoint(from, to);
                }
                piece.high.push_back({x, YPixelOfValue(high.high)});
                piece.low.push_back({x, YPixelOfValue(low.low)});
            },
            [&](std::int32_t next) {
                YValues().PrefetchSpread(next);
                if (!fixedLow_) lowValues_.PrefetchSpread(next);
            });
    }
    close();
    return pieces;
}

void TBandSeries::DrawAllPoints(TCanvas3D& canvas) {
    if (!ParentChart() || FirstShownIndex() < 0 || SeriesColor() == clNone) return;
    const std::vector<TPiece> pieces = Pieces();
    if (pieces.empty()) return;

    TRect box{TScaleMap::PixelLimit, TScaleMap::PixelLimit, -TScaleMap::PixelLimit,
              -TScaleMap::PixelLimit};
    std::vector<std::vector<TPoint>> outlines;
    for (const TPiece& piece : pieces) {
        std::vector<TPoint> outline = piece.high;
        outline.insert(outline.end(), piece.low.rbegin(), piece.low.rend());
        for (TPoint p : outline)
            Take(box, p);
        outlines.push_back(std::move(outline));
    }
    const TRect& plot = ParentChart()->PlotRect();
    const TRect area = Intersect(box, {plot.Left, plot.Top - 1, plot.Right + 1, plot.Bottom + 1});
    if (area.IsEmpty()) return;

    canvas.AssignBrush(Brush(), SeriesColor());
    canvas.SetBrushStyle(bsSolid);
    canvas.SetPenStyle(psClear);
    {
        // One section for every piece, so that where pieces meet the area is blended once.
        // The series' own transparency shows through the fill as well.
        const std::int32_t seen =
            (100 - fillTransparency_) * (100 - std::clamp(Transparency(), 0, 100));
        const TTransparencyGuard fill(canvas, area, 100 - seen / 100);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const TPiece& piece = pieces[k];
            if (!FilledByColumns(piece.high, piece.columns)) {
                canvas.Polygon(outlines[k]);
                continue;
            }
            for (std::size_t v = 0; v < piece.high.size(); ++v) {
                const std::int32_t a = piece.high[v].Y;
                const std::int32_t b = piece.low[v].Y;
                const std::int32_t x = piece.high[v].X;
                canvas.FillRect({x, std::min(a, b), x + 1, std::max(a, b) + 1});
            }
        }
    }
    if (!showEdges_ || !Pen().Visible()) return;
    canvas.SetBrushStyle(bsClear);
    canvas.SetPenFrom(Pen(), SeriesColor());
    std::optional<TTransparencyGuard> edges;
    if (Transparency() != 0) edges.emplace(canvas, area, Transparency());
    for (const TPiece& piece : pieces) {
        canvas.Polyline(piece.high);
        canvas.Polyline(piece.low);
    }
}

}  // namespace twinscope
