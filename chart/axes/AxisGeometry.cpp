#include "twinscope/chart/axes/AxisGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "twinscope/chart/axes/AxisEnds.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/axes/LabelValues.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

// Label texts measured for the widest one, at most.
constexpr std::int32_t MaxMeasuredLabels = 5000;

double Radians(std::int32_t degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Lines stack across a horizontal axis when they read along it, and across a vertical one when
// they are turned to read along it.
bool OneFontHeightAcross(const TChartAxis& axis, std::int32_t angle) {
    return axis.Horizontal() ? angle % 180 == 0 : angle == 90 || angle == 270;
}

// The room a text of the given width takes across the axis at an angle.
std::int32_t TurnedTextExtent(const TChartAxis& axis, std::int32_t angle, std::int32_t fontHeight,
                              std::int32_t width) {
    if (OneFontHeightAcross(axis, angle)) return fontHeight;
    if (axis.Horizontal()) {
        return SaturatedPixel(fontHeight + Round(std::fabs(std::sin(Radians(angle))) * width));
    }
    return SaturatedPixel(Round(std::fabs(std::cos(Radians(angle))) * width));
}

// What a frame and a shadow add around a shape that is not transparent.
std::int32_t ShapeFrameExtent(const TChartAxis& axis, const TTextShape& shape) {
    if (shape.Transparent()) return 0;
    std::int64_t extra = 0;
    if (shape.Frame().Visible()) extra += 2 * std::int64_t{shape.Frame().Width()};
    if (shape.Shadow().Visible) {
        const std::int32_t size =
            axis.Horizontal() ? shape.Shadow().VertSize : shape.Shadow().HorizSize;
        extra += std::abs(std::int64_t{size});
    }
    return SaturatedPixel(extra);
}

}  // namespace

bool TitleShows(const TChartAxis& axis) {
    const TChartAxisTitle* title = axis.CreatedTitle();
    return title && title->Visible() && !title->Caption().empty();
}

TAxisSide SideOf(const TChartAxis& axis) {
    if (axis.Horizontal()) return axis.OtherSide() ? asTop : asBottom;
    return axis.OtherSide() ? asRight : asLeft;
}

std::int32_t Side(const TChartAxis& axis, const TRect& r) {
    switch (SideOf(axis)) {
        case asBottom:
            return r.Bottom;
        case asTop:
            return r.Top;
        case asLeft:
            return r.Left;
        case asRight:
            return r.Right;
    }
    return r.Left;
}

std::int32_t ShiftedByPercent(const TChartAxis& axis, std::int32_t pos, const TRect& r) {
    const double percent = axis.PositionPercent();
    if (percent == 0) return pos;
    double shift;
    if (axis.PositionUnits() == muPixels) {
        shift = percent;
    } else {
        const std::int64_t size =
            axis.Horizontal() ? std::int64_t{r.Bottom} - r.Top : std::int64_t{r.Right} - r.Left;
        shift = 0.01 * percent * static_cast<double>(size);
    }
    std::int64_t b = SaturatedPixel(Round(shift));
    // A bottom or left axis moves outwards with a negative shift as it stands; the other side
    // and the horizontal direction each turn the sign once.
    if (axis.OtherSide()) b = -b;
    if (axis.Horizontal()) b = -b;
    return SaturatedPixel(pos + b);
}

std::int32_t AxisLinePosition(const TChartAxis& axis, const TRect& plot) {
    return ShiftedByPercent(axis, Side(axis, plot), plot);
}

std::int32_t Outwards(const TChartAxis& axis, std::int32_t pos, std::int32_t amount) {
    switch (SideOf(axis)) {
        case asBottom:
        case asRight:
            return SaturatedPixel(std::int64_t{pos} + amount);
        case asTop:
        case asLeft:
            break;
    }
    return SaturatedPixel(std::int64_t{pos} - amount);
}

TRect Reserve(const TChartAxis& axis, TRect r, std::int32_t amount) {
    switch (SideOf(axis)) {
        case asBottom:
            r.Bottom =
                SaturatedPixel(std::max(std::int64_t{r.Top} + 1, std::int64_t{r.Bottom} - amount));
            break;
        case asTop:
            r.Top =
                SaturatedPixel(std::min(std::int64_t{r.Bottom} - 1, std::int64_t{r.Top} + amount));
            break;
        case asLeft:
            r.Left =
                SaturatedPixel(std::min(std::int64_t{r.Right} - 1, std::int64_t{r.Left} + amount));
            break;
        case asRight:
            r.Right =
                SaturatedPixel(std::max(std::int64_t{r.Left} + 1, std::int64_t{r.Right} - amount));
            break;
    }
    return r;
}

std::int32_t AxisLineAndTicksExtent(const TChartAxis& axis, bool countTicks) {
    std::int64_t e = axis.Axis().Visible() ? std::int64_t{axis.Axis().Width()} + 1 : 0;
    if (countTicks && axis.Ticks().Visible()) e += axis.TickLength();
    if (axis.MinorTicks().Visible()) e = std::max<std::int64_t>(e, axis.MinorTickLength());
    return SaturatedPixel(e);
}

TPixelSpan AxisPixelSpan(const TChartAxis& axis, const TRect& plot) {
    const std::int32_t origin = axis.Horizontal() ? plot.Left : plot.Top;
    const std::int32_t size = axis.Horizontal() ? plot.Width() : plot.Height();
    const auto at = [&](double percent) {
        return SaturatedPixel(std::int64_t{origin} + SaturatedPixel(Round(size * 0.01 * percent)));
    };
    return {at(axis.StartPosition()), at(axis.EndPosition())};
}

TScaleMap AxisScaleMap(const TChartAxis& axis, TScaleRange range, TPixelSpan pixels) {
    const TScaleMap own =
        axis.ScaleKind() == skTransformed
            ? TScaleMap{range, pixels, axis.Direction(), axis.Transform()}
            : TScaleMap{range, pixels, axis.Direction(), axis.ScaleKind(), axis.LogarithmicBase()};
    const TConvertedFrom& from = axis.ConvertedFrom();
    if (!from.Master) return own;
    // The master's stretch of values that this range converts back to, on its own scale.
    const double a = from.Conversion->Inverse(range.Minimum);
    const double b = from.Conversion->Inverse(range.Maximum);
    return own.Through(AxisScaleMap(*from.Master, {std::min(a, b), std::max(a, b)}, pixels),
                       from.Conversion);
}

TScaleMap ShownRangeMap(const TChartAxis& axis, const TAxisPaint& paint, TScaleRange range,
                        TChartCanvas* measure) {
    TAxisPaint shown = paint;
    shown.Map = AxisScaleMap(axis, range, paint.Map.Pixels());
    if (!RoundsAutomaticEnds(axis) || shown.Map.Length() == 0 || shown.Map.RangeIsZero()) {
        return shown.Map;
    }
    const double step =
        measure ? ComputeLabelIncrement(axis, shown, *measure) : IncrementInUse(axis, shown);
    return shown.Map.WithRange(RoundedEnds(axis, range, step));
}

namespace {
TMultiLineWidth WidestLabel(const TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas,
                            const TLabelIncrement& increment) {
    TMultiLineWidth widest;
    std::string previous;
    // Neighbouring values often give the same text (an increment below the format's
    // precision): each text is measured once.
    const auto measure = [&](double value) {
        std::string text = LabelText(axis, paint, value);
        if (!previous.empty() && text == previous) return;
        const TMultiLineWidth size = canvas.MultiLineTextWidth(text);
        widest.Width = std::max(widest.Width, size.Width);
        widest.Lines = std::max(widest.Lines, size.Lines);
        previous = std::move(text);
    };
    if (axis.AlignsTicks() && !paint.MasterLabels.empty()) {
        const std::function<double(double)>& forward = axis.TickAlignment().Forward;
        const std::size_t count =
            std::min<std::size_t>(paint.MasterLabels.size(), MaxMeasuredLabels);
        for (std::size_t i = 0; i < count; ++i) {
            const double v = forward(paint.MasterLabels[i].Value);
            if (std::isfinite(v)) measure(v);
        }
    } else if (increment.Increment != 0) {
        // The labels the pass takes, as far as the measuring goes.
        for (const double v :
             TLabelValues(LabelValuesInputOf(axis, paint, increment)).Leading(MaxMeasuredLabels))
            measure(v);
    } else {
        measure(paint.Map.Minimum());
        measure(paint.Map.Maximum());
    }
    widest.Width = SaturatedPixel(std::int64_t{widest.Width} + canvas.TextWidth(" "));
    return widest;
}

// The widest label of this paint, its increment chosen from `sample` while that holds; `sample`
// then keeps what the increment was chosen from, for the rest of the paint.
TMultiLineWidth MaxLabelWidth(const TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas,
                              TLabelSample& sample) {
    const TLabelIncrement increment = LabelIncrementFrom(axis, paint, canvas, sample);
    sample = increment.Sample;
    return WidestLabel(axis, paint, canvas, increment);
}

// The most text lines a label of this paint has: only unturned value labels of a horizontal
// axis are measured.
std::int32_t MeasuredLabelLines(const TChartAxis& axis, const TAxisPaint& paint,
                                TChartCanvas& canvas, TLabelSample& sample) {
    if (axis.Horizontal() && axis.Labels().Angle() == 0 &&
        LabelStyleInUse(axis, paint) == talValue) {
        return std::max(1, MaxLabelWidth(axis, paint, canvas, sample).Lines);
    }
    return 1;
}

std::int32_t LabelsExtentOfLines(const TChartAxis& axis, const TAxisPaint& paint,
                                 TChartCanvas& canvas, std::int32_t lines, TLabelSample& sample) {
    const std::int32_t angle = axis.Labels().Angle();
    std::int32_t s = axis.LabelsSize();
    if (s == 0) {
        canvas.SetFont(axis.LabelsFont());
        const std::int32_t fontHeight = canvas.FontHeight();
        const std::int32_t width =
            OneFontHeightAcross(axis, angle) ? 0 : MaxLabelWidth(axis, paint, canvas, sample).Width;
        s = SaturatedPixel(std::int64_t{TurnedTextExtent(axis, angle, fontHeight, width)} +
                           ShapeFrameExtent(axis, axis.Labels().Format()));
    }
    std::int64_t extent = std::int64_t{s} * lines;
    if (axis.Labels().Alternate()) extent *= 2;
    return SaturatedPixel(extent);
}
}  // namespace

TMultiLineWidth MaxLabelWidth(const TChartAxis& axis, const TAxisPaint& paint,
                              TChartCanvas& canvas) {
    return WidestLabel(axis, paint, canvas, LabelIncrementFrom(axis, paint, canvas, {}));
}

std::int32_t TitleExtent(const TChartAxis& axis, TChartCanvas& canvas) {
    if (axis.TitleSize() != 0) return axis.TitleSize();
    const TChartAxisTitle& title = *axis.CreatedTitle();
    canvas.SetFont(title.Font());
    const std::int32_t fontHeight = canvas.FontHeight();
    const std::int32_t angle = title.Angle();
    const std::int32_t width =
        OneFontHeightAcross(axis, angle) ? 0 : canvas.MultiLineTextWidth(title.Caption()).Width;
    return SaturatedPixel(std::int64_t{TurnedTextExtent(axis, angle, fontHeight, width)} +
                          ShapeFrameExtent(axis, title));
}

TAxisSpace ReserveAxisSpace(const TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas,
                            const TRect& rect) {
    const bool countTicks = axis.Labels().Position() == lpAtTick;
    TAxisLayout placed = paint.Layout;
    // Samples measured in an earlier paint may have been measured under other settings.
    placed.LabelSample = {};

    if (!axis.TakesPlotSpace()) {
        placed.AxisPosition = ShiftedByPercent(axis, Side(axis, rect), rect);
        placed.LabelsPosition =
            Outwards(axis, placed.AxisPosition, AxisLineAndTicksExtent(axis, countTicks));
        if (placed.LabelLineCount == 0) {
            placed.LabelLineCount = MeasuredLabelLines(axis, paint, canvas, placed.LabelSample);
        }
        placed.LabelsExtent =
            LabelsExtentOfLines(axis, paint, canvas, placed.LabelLineCount, placed.LabelSample);
        placed.TitlePosition = Outwards(axis, placed.LabelsPosition, placed.LabelsExtent);
        return {rect, placed};
    }

    TRect r = rect;
    const bool titled = TitleShows(axis);
    if (titled) {
        r = Reserve(axis, r, TitleExtent(axis, canvas));
        placed.TitlePosition = Side(axis, r);
    }
    const bool labelled = axis.Labels().Visible();
    if (labelled) {
        placed.LabelLineCount = MeasuredLabelLines(axis, paint, canvas, placed.LabelSample);
        placed.LabelsExtent =
            LabelsExtentOfLines(axis, paint, canvas, placed.LabelLineCount, placed.LabelSample);
        r = Reserve(axis, r, placed.LabelsExtent);
        // The gap is a share of the font selected last: the labels' when they were measured,
        // else the title's.
        const std::int32_t gap = SaturatedPixel(
            Round(static_cast<double>(canvas.FontHeight()) * axis.Labels().MarginToAxis() * 0.01));
        placed.LabelsPosition = Outwards(axis, Side(axis, r), gap);
    }
    const std::int32_t line = AxisLineAndTicksExtent(axis, countTicks);
    if (line > 0) r = Reserve(axis, r, line);

    if (titled) placed.TitlePosition = ShiftedByPercent(axis, placed.TitlePosition, r);
    if (labelled) placed.LabelsPosition = ShiftedByPercent(axis, placed.LabelsPosition, r);
    return {r, placed};
}

std::optional<TScaleRange> WidenedForOffsets(const TChartAxis& axis, const TScaleMap& map) {
    // The series of this system ask for no margins of their own (a line series' markers stay
    // hidden), so only the axis's offsets widen its range.
    const std::int32_t atMinimum = axis.MinimumOffset();
    const std::int32_t atMaximum = axis.MaximumOffset();
    if (atMinimum == 0 && atMaximum == 0) return std::nullopt;

    // The minimum lies at the start of a horizontal axis and at the end of a vertical one.
    const bool minimumAtStart = axis.Horizontal() != axis.Inverted();
    const std::int64_t start = map.StartPixel();
    const std::int64_t end = map.EndPixel();
    const std::int64_t shrunkStart = start + (minimumAtStart ? atMinimum : atMaximum);
    const std::int64_t shrunkEnd = end - (minimumAtStart ? atMaximum : atMinimum);
    // Offsets that leave no pixel between them would collapse the range to nothing; the range
    // is kept as it is instead.
    if (shrunkEnd - shrunkStart < 1) return std::nullopt;

    // The values that the axis's own ends take when the range fills only the shrunk span.
    const TScaleMap shrunk = map.OnPixels({SaturatedPixel(shrunkStart), SaturatedPixel(shrunkEnd)});
    double minimum = shrunk.ToValue(start);
    double maximum = shrunk.ToValue(end);
    if (minimum > maximum) std::swap(minimum, maximum);
    return TScaleRange{minimum, maximum};
}

TAxisLayout TitleBeyondLabels(const TChartAxis& axis, const TAxisPaint& paint,
                              TChartCanvas* canvas) {
    TAxisLayout moved = paint.Layout;
    std::int32_t labels = paint.Layout.LabelsExtent;
    if (canvas) {
        if (moved.LabelLineCount == 0) {
            moved.LabelLineCount = MeasuredLabelLines(axis, paint, *canvas, moved.LabelSample);
        }
        labels = LabelsExtentOfLines(axis, paint, *canvas, moved.LabelLineCount, moved.LabelSample);
    }
    moved.TitlePosition = Outwards(axis, paint.Layout.LabelsPosition, labels);
    return moved;
}

std::int32_t OuterEdge(const TChartAxis& axis, const TAxisLayout& placed, TChartCanvas& canvas) {
    if (TitleShows(axis)) return Outwards(axis, placed.TitlePosition, TitleExtent(axis, canvas));
    if (axis.Labels().Visible()) return Outwards(axis, placed.LabelsPosition, placed.LabelsExtent);
    const bool countTicks = axis.Labels().Position() == lpAtTick;
    return Outwards(axis, placed.AxisPosition, AxisLineAndTicksExtent(axis, countTicks));
}

std::int32_t DistanceOutwards(const TChartAxis& axis, std::int32_t from, std::int32_t pos) {
    const std::int64_t d = std::int64_t{pos} - from;
    const bool outwardsGrows = SideOf(axis) == asBottom || SideOf(axis) == asRight;
    return SaturatedPixel(outwardsGrows ? d : -d);
}

TAxisLayout MovedOutwards(const TChartAxis& axis, TAxisLayout placed, std::int32_t amount) {
    placed.AxisPosition = Outwards(axis, placed.AxisPosition, amount);
    placed.LabelsPosition = Outwards(axis, placed.LabelsPosition, amount);
    placed.TitlePosition = Outwards(axis, placed.TitlePosition, amount);
    return placed;
}

}  // namespace twinscope
