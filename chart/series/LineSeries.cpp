#include "twinscope/chart/series/LineSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/series/TouchingRun.h"

namespace twinscope {

void TCustomSeries::WidenShownRange() {
    std::int32_t first = FirstShownIndex();
    std::int32_t last = LastShownIndex();
    if (first < 0 || !ParentChart()) return;
    const TRect& plot = ParentChart()->PlotRect();
    const TChartValueList& order = OrderList();
    auto touchesAt = [&](std::int32_t x, std::int32_t y) {
        const TRect marker{x - pointer_.HorizSize, y - pointer_.VertSize, x + pointer_.HorizSize,
                           y + pointer_.VertSize};
        return !Intersect(marker, plot).IsEmpty();
    };
    auto touchesPlot = [&](std::int32_t i) { return touchesAt(XPixel(i), YPixel(i)); };
    // Ascending X maps to pixels in order, and so do the Y values on a linear axis: when both
    // ends of a run touch, so does every X between them, and every Y between the run's lowest
    // and highest.
    auto runTouches = [&](std::int32_t a, std::int32_t b) {
        if (order.Order() != loAscending || !ResolvedVertAxis() || YMap().Kind() != skLinear ||
            !touchesPlot(a) || !touchesPlot(b)) {
            return false;
        }
        const TValueSpread spread = YValues().Spread(a, b + 1);
        const std::int32_t x = XPixel(b);
        return !spread.notANumber && touchesAt(x, YPixelOfValue(spread.low)) &&
               touchesAt(x, YPixelOfValue(spread.high));
    };
    const std::int32_t lastIndex = PointCount() - 1;
    last = EndOfTouchingRun(last, lastIndex, 1, touchesPlot, runTouches);
    while (last < lastIndex && order[last + 1] == order[last])
        ++last;
    first = EndOfTouchingRun(first, 0, -1, touchesPlot, runTouches);
    while (first > 0 && order[first - 1] == order[first])
        --first;
    SetShownRange(first, last);
}

namespace {

// The box a segment covers, for the test against the plot: a zero width or height counts as 1.
TRect SegmentBox(TPoint a, TPoint b) {
    TRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    if (box.Right == box.Left) ++box.Right;
    if (box.Bottom == box.Top) ++box.Bottom;
    return box;
}

// The box of a segment from a to b grown by a pen width on every side, saturated: a pen may be
// as wide as an int counts.
TRect GrownBox(TPoint a, TPoint b, std::int64_t width) {
    return {SaturatedPixel(std::min(a.X, b.X) - width), SaturatedPixel(std::min(a.Y, b.Y) - width),
            SaturatedPixel(std::max(a.X, b.X) + width), SaturatedPixel(std::max(a.Y, b.Y) + width)};
}

bool BeyondLimit(std::int32_t p) {
    // The axes already clamp their pixels to the limit, so reaching it means lying beyond it.
    return std::abs(p) >= TCustomStackSeries::PixelLimit;
}

std::int32_t ToLimit(std::int32_t p) {
    return p < 0 ? -TCustomStackSeries::PixelLimit : TCustomStackSeries::PixelLimit;
}

}  // namespace

void TCustomStackSeries::DrawAllPoints(TCanvas3D& canvas) {
    TSeriesHost* chart = ParentChart();
    if (!chart) return;
    plotClip_ = chart->PlotRect();
    // A line series always shows its line: with no marker and no area, a hidden pen would
    // leave nothing on the chart.
    if (!chart->View3D() && DrawsLine() && !Pen().Visible() && !Pointer().Visible && !FillsArea()) {
        Pen().Show();
    }
    canvas.AssignBrush(Brush(), SeriesColor());

    prevColor_ = clDefault;
    prevIndex_ = -1;
    started_ = false;
    // Skipped gaps draw nothing, so the line enters the plot at the first point drawn.
    enteringIndex_ = FirstShownIndex();
    if (TreatNulls() == tnSkip && enteringIndex_ >= 0) {
        while (enteringIndex_ <= LastShownIndex() && IsGap(enteringIndex_))
            ++enteringIndex_;
    }
    const TChartCanvas::TColumnLines columns = ColumnLinesFor(canvas);
    if (columns != TChartCanvas::TColumnLines::None) {
        DrawColumns(canvas, columns);
    } else {
        TChartSeries::DrawAllPoints(canvas);
    }
}

TChartCanvas::TColumnLines TCustomStackSeries::ColumnLinesFor(TCanvas3D& canvas) {
    const TSeriesHost* chart = ParentChart();
    const TChartAxis* horizontal = ResolvedHorizAxis();
    const TChartAxis* vertical = ResolvedVertAxis();
    // Only the plot's clip hides what the segments' own plot test would have left out. A
    // logarithmic vertical map keeps the order of positive values, so a column's extremes still
    // give its rows; the columns hand those holding values at or below zero back to the segments.
    const bool applies = reduceColumns_ && chart && !chart->View3D() && chart->ClipPoints() &&
                         UseAxis() && horizontal && vertical && horizontal->Horizontal() &&
                         !horizontal->Inverted() && !vertical->Horizontal() &&
                         XMap().Kind() == skLinear &&
                         XValues().Order() == loAscending && !HasPointColors() &&
                         !ColorEachPoint() && SeriesColor() != clNone && Transparency() == 0 &&
                         !Pointer().Visible && !Stairs() && FirstShownIndex() >= 0;
    if (!applies) return TChartCanvas::TColumnLines::None;
    UseLinePen(canvas, SeriesColor());
    return canvas.ColumnLines();
}

void TCustomStackSeries::DrawPoint(TCanvas3D& canvas, std::int32_t index) {
    if (!ParentChart()) return;
    // A value that is not a number cannot be drawn, not even as an ordinary point: the line
    // breaks there, or runs on past it where gaps are skipped.
    if (!HasValue(index)) {
        if (TreatNulls() != tnSkip) started_ = false;
        return;
    }
    const TColor color = PointColor(index);
    // A skipped gap is passed over: the line runs from the point before it to the one after.
    if (color == clNone && TreatNulls() == tnSkip) return;
    const TPoint at{XPixel(index), YPixel(index)};
    if (prevColor_ == clNone && TreatNulls() == tnDontPaint) prev_ = at;
    canvas.SetBrushColor(color);
    if (started_) DrawSegment(canvas, prev_, at, prevIndex_, index, color);
    // Visiting right to left, the point where the line enters the plot comes last, after the
    // segment that reaches it from the right.
    if (index == enteringIndex_ && index > 0) DrawEnteringSegment(canvas, index, at, color);
    prev_ = at;
    prevColor_ = color;
    prevIndex_ = index;
    started_ = true;
}

std::int32_t TCustomStackSeries::EnteringFrom(std::int32_t index) const {
    std::int32_t from = index - 1;
    switch (TreatNulls()) {
        case tnDontPaint:
            return IsGap(from) ? -1 : from;
        case tnSkip:
            while (from >= 0 && IsGap(from))
                --from;
            return from;
        case tnIgnore:
            return HasValue(from) ? from : -1;
    }
    return from;
}

void TCustomStackSeries::DrawEnteringSegment(TCanvas3D& canvas, std::int32_t index, TPoint to,
                                             TColor color) {
    const std::int32_t from = EnteringFrom(index);
    if (from < 0) return;
    const bool inverted = ResolvedHorizAxis() && ResolvedHorizAxis()->Inverted();
    TPoint start{inverted ? plotClip_.Right : plotClip_.Left, 0};
    if (Stairs() || XValues()[from] == XValues()[index]) {
        start.Y = YPixel(from);
    } else {
        start.Y = YPixelOfValue(YOnLine(from, index, XValueOfPixel(start.X)));
    }
    DrawSegment(canvas, start, to, from, index, color);
}

double TCustomStackSeries::YOnLine(std::int32_t a, std::int32_t b, double x) const {
    const double xa = XValues()[a];
    const double xb = XValues()[b];
    const double ya = YValues()[a];
    const double yb = YValues()[b];
    if (xa == xb) return ya;
    switch (YMap().Kind()) {
    case skLinear: return ya + (x - xa) * (yb - ya) / (xb - xa);
    case skLogarithmic:
        if (ya <= 0 || yb <= 0) return 0;
        return std::exp(std::log(ya) + (x - xa) * (std::log(yb) - std::log(ya)) / (xb - xa));
    case skTransformed: break;
    }
    // A straight line on the axis's pixels: evenly by the transform's positions.
    return YMap().Between(ya, yb, (x - xa) / (xb - xa));
}

TPoint TCustomStackSeries::LimitEnd(TPoint end, std::int32_t a, std::int32_t b) const {
    if (Stairs()) {
        return {std::clamp(end.X, -PixelLimit, PixelLimit),
                std::clamp(end.Y, -PixelLimit, PixelLimit)};
    }
    if (!BeyondLimit(end.X)) return end;
    std::int32_t x = ToLimit(end.X);
    auto yAt = [&](std::int32_t px) { return YPixelOfValue(YOnLine(a, b, XValueOfPixel(px))); };
    std::int32_t y = yAt(x);
    // A steep line leaves the limit upwards or downwards long before it reaches x: move
    // towards the origin until its y is within reach.
    for (int tries = 0; tries < 4 && BeyondLimit(y); ++tries) {
        x /= 3;
        y = yAt(x);
    }
    if (BeyondLimit(y)) y = ToLimit(y);
    return {x, y};
}

void TCustomStackSeries::UseLinePen(TCanvas3D& canvas, TColor color) {
    canvas.SetBrushStyle(bsClear);
    if (!Pen().Visible() && !Pointer().Visible) {
        TChartPen shown(Pen().Data());
        shown.Show();
        canvas.SetPenFrom(shown, color);
    } else {
        canvas.SetPenFrom(Pen(), color);
    }
}

void TCustomStackSeries::DrawSegment(TCanvas3D& canvas, TPoint from, TPoint to,
                                     std::int32_t fromIndex, std::int32_t toIndex, TColor color) {
    if (from == to) return;
    if (color == clNone && TreatNulls() != tnIgnore) return;
    TColor lineColor =
        ColorEachLine() || (ColorEachPoint() && !Pointer().Visible) ? color : SeriesColor();
    // A gap drawn as an ordinary point has no colour of its own to lend its segment.
    if (lineColor == clNone) lineColor = SeriesColor();
    if (Intersect(SegmentBox(from, to), plotClip_).IsEmpty()) return;

    if (from.X < 0 || from.X > ParentChart()->Width()) from = LimitEnd(from, fromIndex, toIndex);
    to = LimitEnd(to, fromIndex, toIndex);

    UseLinePen(canvas, lineColor);

    // The segment's box, widened by the pen: what a blending canvas saves and lays back.
    std::optional<TTransparencyGuard> transparency;
    if (Transparency() != 0) {
        const TRect area = GrownBox(from, to, canvas.Pen().Width);
        transparency.emplace(canvas, area, Transparency());
    }
    if (!Stairs()) {
        canvas.Line(from.X, from.Y, to.X, to.Y);
    } else if (InvertedStairs()) {
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(from.X, to.Y);
        canvas.LineTo(to.X, to.Y);
    } else {
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, from.Y);
        canvas.LineTo(to.X, to.Y);
    }
}

TLineSeries::TLineSeries() {
    Pointer().Visible = false;
}

}  // namespace twinscope
