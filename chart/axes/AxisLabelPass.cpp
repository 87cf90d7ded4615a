#include "twinscope/chart/axes/AxisLabelPass.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/DateTimeFormat.h"
#include "twinscope/runtime/FormatFloat.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

namespace {
// An index-valued X series keeps whole steps on ranges of at least this.
constexpr Extended MinRangeForWholeSteps = 1.1;
// A logarithmic axis with the default format writes values outside these as powers of ten.
constexpr double SmallestPlainValue = 1e-3;
constexpr double LargestPlainValue = 1e6;
constexpr const char* PowerFormat = "0.###E+0";

// The transform of a map whose labels stand at whole positions; none on the other maps.
const TAxisTransform* PositionSteppingTransform(const TScaleMap& map) {
    const TAxisTransform* t = map.Kind() == skTransformed ? map.Transform() : nullptr;
    return t && t->StepsInPositions() ? t : nullptr;
}

// A series drawn at its point indexes needs no steps finer than one index.
bool HasFewIndexedPoints(const TAxisPaint& paint, std::int32_t count) {
    const std::int32_t points = paint.Series.IndexedPoints;
    return points >= 1 && points <= count;
}

// How many powers of the base the range shown spans.
Extended PowersSpanned(const TScaleMap& map) {
    return std::log(static_cast<Extended>(map.Maximum()) / map.Minimum()) /
           std::log(static_cast<Extended>(map.LogBase()));
}

// Whether a pixel lies on the axis, its ends included. A converted scale's value whose master
// value lies beyond the master's range (a conversion that turns back on itself across that
// range) gets a pixel off the axis, and no label there.
bool WithinEnds(const TScaleMap& map, std::int32_t p) {
    return std::min(map.StartPixel(), map.EndPixel()) <= p &&
           p <= std::max(map.StartPixel(), map.EndPixel());
}

// The label pass's placing of one value: its pixel, its tick and its item.
class LabelPlacer {
public:
    LabelPlacer(const TChartAxis& axis, const TAxisPaint& paint, TLabelPassResult& result)
        : axis_(axis), paint_(paint), result_(result) {}

    void Place(double v) {
        if (paint_.Map.Places(v)) PlaceAt(v, paint_.Map.ToPixel(v));
    }

    void PlaceAt(double v, std::int32_t p) {
        const TScaleMap& map = paint_.Map;
        if (!axis_.Labels().OnAxis() && !(map.StartPixel() < p && p < map.EndPixel())) return;
        if (map.Conversion() && !WithinEnds(map, p)) return;

        const bool labelsVisible = axis_.Labels().Visible();
        const bool tickOnLabelsOnly = axis_.TickOnLabelsOnly();
        if (!tickOnLabelsOnly) result_.TickPositions.push_back(p);
        const bool gridAlways = axis_.Grid().Visible() && axis_.Grid().DrawAlways();
        if (!labelsVisible && !gridAlways) return;
        std::string text = LabelText(axis_, paint_, v);
        if (tickOnLabelsOnly) result_.TickPositions.push_back(p);
        if (!labelsVisible) return;
        result_.Labels.push_back({.Value = v, .Text = std::move(text), .LabelPos = p});
    }

private:
    const TChartAxis& axis_;
    const TAxisPaint& paint_;
    TLabelPassResult& result_;
};
}  // namespace

double IncrementInUse(const TChartAxis& axis, const TAxisPaint& paint) {
    return paint.FollowedIncrement.value_or(axis.Increment());
}

TAxisLabelStyle LabelStyleInUse(const TChartAxis& axis, const TAxisPaint& paint) {
    if (axis.Labels().Style() != talAuto) return axis.Labels().Style();
    return paint.Series.LabelStyle;
}

std::string LabelLine(const TChartAxis& axis, const TAxisPaint& paint, double value) {
    if (paint.DateTime() && !IsCalendarValue(value)) return {};
    std::string text;
    if (axis.AlignsTicks()) {
        text = FormatFloat(AlignedValuesFormat(axis.TickAlignment().Decimals), value);
    } else if (axis.CalendarLabels() != calNone) {
        text = CalendarLabelText(axis.CalendarLabels(), value);
    } else if (paint.DateTime()) {
        std::string format = axis.DateTimeFormat();
        if (format.empty()) {
            const FormatSettings& settings = CurrentFormatSettings();
            format = paint.Map.Span() > 1 ? settings.ShortDateFormat : settings.ShortTimeFormat;
        }
        text = DateTimeToString(format, value);
    } else {
        const std::string& format = axis.AxisValuesFormat();
        const double size = std::fabs(value);
        const bool logarithmic =
            paint.Map.Kind() == skLogarithmic || PositionSteppingTransform(paint.Map);
        const bool power = logarithmic && format == DefaultAxisValuesFormat && value != 0 &&
                           (size < SmallestPlainValue || size > LargestPlainValue);
        text = FormatFloat(power ? PowerFormat : format, value);
    }
    return text;
}

std::string LabelText(const TChartAxis& axis, const TAxisPaint& paint, double value) {
    std::string text = LabelLine(axis, paint, value);
    if (axis.Labels().MultiLine()) std::replace(text.begin(), text.end(), ' ', '\r');
    return text;
}

std::int32_t LabelSizeAlongAxis(const TChartAxis& axis, const TAxisPaint& paint,
                                TChartCanvas& canvas, double value) {
    const TMultiLineWidth size = canvas.MultiLineTextWidth(LabelText(axis, paint, value));
    const std::int32_t angle = axis.Labels().Angle();
    const bool linesAlongAxis =
        axis.Horizontal() ? angle == 90 || angle == 270 : angle == 0 || angle == 180;
    return linesAlongAxis ? canvas.FontHeight() * size.Lines : size.Width;
}

std::int32_t LabelsThatFit(const TChartAxis& axis, const TAxisPaint& paint,
                           std::int32_t labelSize) {
    return LabelsThatFit(paint.Map.Length(), labelSize, axis.Labels().Separation());
}

TIncrementInput IncrementInputOf(const TChartAxis& axis, const TAxisPaint& paint,
                                 std::int32_t count) {
    const bool dateTime = paint.DateTime();
    const Extended span = paint.Map.Span();
    const bool rangeIsZero = paint.Map.RangeIsZero();
    const double increment = IncrementInUse(axis, paint);
    return {.Span = span,
            .Increment = increment,
            .DateTime = dateTime,
            .RangeIsZero = rangeIsZero,
            .Separated = axis.Labels().Separation() != 0,
            .WholeSteps = !dateTime && increment <= 0 && !rangeIsZero &&
                          span >= MinRangeForWholeSteps && HasFewIndexedPoints(paint, count)};
}

double IncrementForCount(const TChartAxis& axis, const TAxisPaint& paint, std::int32_t count) {
    return IncrementForCount(IncrementInputOf(axis, paint, count), count);
}

bool LabelsAtPowers(const TAxisPaint& paint) {
    if (paint.Map.RangeIsZero()) return false;
    if (PositionSteppingTransform(paint.Map)) return paint.Map.PositionSpan() >= 1;
    return paint.Map.Kind() == skLogarithmic && PowersSpanned(paint.Map) >= 1;
}

namespace {
// The fewest pixels between two neighbouring labels at an increment.
std::int64_t ClosestLabels(const TChartAxis& axis, const TAxisPaint& paint,
                           const TLabelIncrement& increment) {
    std::int64_t closest = std::numeric_limits<std::int64_t>::max();
    const std::vector<double> values =
        TLabelValues(LabelValuesInputOf(axis, paint, increment)).All();
    for (std::size_t i = 1; i < values.size(); ++i) {
        const std::int64_t gap =
            std::abs(std::int64_t{paint.Map.ToPixel(values[i - 1])} - paint.Map.ToPixel(values[i]));
        closest = std::min(closest, gap);
    }
    return closest;
}
}  // namespace

TLabelSample MeasureLabelSample(const TChartAxis& axis, const TAxisPaint& paint,
                                TChartCanvas& canvas) {
    canvas.SetFont(axis.LabelsFont());
    std::int32_t w = 0;
    const auto measure = [&](double value) {
        w = std::max(w, LabelSizeAlongAxis(axis, paint, canvas, value));
    };
    const bool powers = LabelsAtPowers(paint);
    const double increment = IncrementInUse(axis, paint);
    if (powers || increment != 0) {
        // The labels at the axis's own increment (every power on a logarithmic axis) as the
        // pass would take them, at both ends.
        const TLabelValues values(LabelValuesInputOf(
            axis, paint, {.Increment = powers ? 1 : increment, .Powers = powers}));
        const double first = values.First();
        const double last = values.Last();
        measure(first);
        measure(last);
        measure(values.Below(first));
        measure(values.Above(last));
    } else {
        // A value with a fraction, so that labels with decimals are measured too.
        const double low = paint.Map.Minimum();
        const double high = paint.Map.Maximum();
        double mid = static_cast<double>(low + (static_cast<Extended>(high) - low) * 0.5);
        if (std::isinf(mid)) mid = 0;
        while (Frac(mid) == 0 && mid != 0 && !std::isnan(mid))
            mid *= 0.5;
        measure(low);
        measure(mid);
        measure(high);
    }

    return {.Size = w,
            .Minimum = paint.Map.Minimum(),
            .Maximum = paint.Map.Maximum(),
            .SettingsRevision = axis.SettingsRevision()};
}

TLabelIncrement LabelIncrementFrom(const TChartAxis& axis, const TAxisPaint& paint,
                                   TChartCanvas& canvas, const TLabelSample& measured) {
    TLabelIncrement result{.Sample = measured};
    // The same range in the same settings gives the same samples; only how many fit along the
    // axis is counted again.
    const bool holds = measured.Size >= 0 && measured.Minimum == paint.Map.Minimum() &&
                       measured.Maximum == paint.Map.Maximum() &&
                       measured.SettingsRevision == axis.SettingsRevision();
    if (holds) {
        canvas.SetFont(axis.LabelsFont());
    } else {
        result.Sample = MeasureLabelSample(axis, paint, canvas);
    }
    const std::int32_t count = LabelsThatFit(axis, paint, result.Sample.Size);
    if (LabelsAtPowers(paint)) {
        // Whole positions step like powers, without rungs between them.
        const bool positions = PositionSteppingTransform(paint.Map) != nullptr;
        const TPowerSteps steps =
            positions ? PowerStepsForCount(paint.Map.PositionSpan(), count, 0)
                      : PowerStepsForCount(PowersSpanned(paint.Map), count, paint.Map.LogBase());
        result.Increment = steps.Powers;
        result.Powers = true;
        result.Rungs = steps.Rungs;
        return result;
    }
    result.Increment = IncrementForCount(axis, paint, count);
    // A transform spreads value steps unevenly: the step grows until the labels fit where
    // they stand closest.
    if (paint.Map.Kind() == skTransformed) {
        const std::int64_t room = LabelRoom(result.Sample.Size, axis.Labels().Separation());
        for (std::int32_t fewer = count - 1; fewer > 0 && ClosestLabels(axis, paint, result) < room;
             --fewer) {
            result.Increment = IncrementForCount(axis, paint, fewer);
        }
    }
    if (axis.Labels().Alternate()) result.Increment *= 0.5;
    return result;
}

double ComputeLabelIncrement(const TChartAxis& axis, const TAxisPaint& paint,
                             TChartCanvas& canvas) {
    return LabelIncrementFrom(axis, paint, canvas, {}).Increment;
}

std::int32_t LabelStepIndex(const TChartAxis& axis, const TAxisPaint& paint, double increment) {
    const double own = IncrementInUse(axis, paint);
    if (!paint.DateTime() || !axis.ExactDateTime() || own == 0) return NoDateTimeStep;
    std::int32_t i = FindDateTimeStep(own);
    if (i != NoDateTimeStep) {
        while (increment > DateTimeStepTable[i] && i != dtOneYear)
            ++i;
    }
    return i;
}

TLabelValuesInput LabelValuesInputOf(const TChartAxis& axis, const TAxisPaint& paint,
                                     const TLabelIncrement& increment) {
    return {.Range = paint.Map.Range(),
            .RangeIsZero = paint.Map.RangeIsZero(),
            .Increment = increment.Increment,
            .RoundFirst = axis.Labels().RoundFirst(),
            .DateTime = paint.DateTime(),
            .ExactDateTime = axis.ExactDateTime(),
            .StepIndex = increment.Powers ? NoDateTimeStep
                                          : LabelStepIndex(axis, paint, increment.Increment),
            .Powers = increment.Powers,
            .Rungs = increment.Rungs,
            .LogBase = paint.Map.LogBase(),
            .Positions = increment.Powers ? PositionSteppingTransform(paint.Map) : nullptr,
            .Calendar = axis.CalendarLabels()};
}

namespace {
// What the label pass of this paint takes, at the increment of `result`, which it fills in.
std::vector<double> PassValues(const TChartAxis& axis, const TAxisPaint& paint,
                               TChartCanvas& canvas, TLabelPassResult& result) {
    const TLabelIncrement increment =
        LabelIncrementFrom(axis, paint, canvas, paint.Layout.LabelSample);
    const TLabelValuesInput input = LabelValuesInputOf(axis, paint, increment);
    result.LabelIncrement = increment.Increment;
    result.Powers = increment.Powers;
    result.Rungs = increment.Rungs;
    result.StepIndex = input.StepIndex;

    const bool calendarRow = result.StepIndex >= dtHalfMonth && result.StepIndex <= dtOneYear;
    if ((result.LabelIncrement <= 0 && !calendarRow) ||
        !(paint.Map.Maximum() >= paint.Map.Minimum()) || LabelStyleInUse(axis, paint) != talValue) {
        return {};
    }
    std::vector<double> values = TLabelValues(input).All();
    // A calendar that starts again puts the last day of a year beside the first of the next,
    // which must not overlap.
    if (axis.CalendarLabels() != calNone) {
        values = SpacedCalendarLabels(axis.CalendarLabels(), values, paint.Map,
                                      LabelRoom(increment.Sample.Size, axis.Labels().Separation()));
    }
    return values;
}
}  // namespace

std::vector<TMasterLabel> MasterLabelsOf(const TChartAxis& master, const TAxisPaint& paint,
                                         TChartCanvas& canvas) {
    TLabelPassResult unused;
    std::vector<TMasterLabel> labels;
    for (const double v : PassValues(master, paint, canvas, unused)) {
        if (paint.Map.Places(v)) labels.push_back({v, paint.Map.ToPixel(v)});
    }
    return labels;
}

TLabelPassResult ComputeLabelPass(const TChartAxis& axis, const TAxisPaint& paint,
                                  TChartCanvas& canvas) {
    TLabelPassResult result;
    if (!axis.Items().Automatic()) return result;
    const TAxisLabelStyle style = LabelStyleInUse(axis, paint);
    if (style == talNone && !(axis.Grid().Visible() && axis.Grid().DrawAlways())) return result;

    LabelPlacer placer(axis, paint, result);
    if (axis.AlignsTicks()) {
        if (style != talValue) return result;
        canvas.SetFont(axis.LabelsFont());
        const std::function<double(double)>& forward = axis.TickAlignment().Forward;
        for (const TMasterLabel& label : paint.MasterLabels) {
            const double v = forward(label.Value);
            // A value the scale's own map has no pixel for is left out here too.
            if (std::isfinite(v) && paint.Map.Places(v)) placer.PlaceAt(v, label.Pixel);
        }
        return result;
    }
    for (const double v : PassValues(axis, paint, canvas, result))
        placer.Place(v);
    return result;
}

void FillAutomaticItems(TChartAxis& axis, const TLabelPassResult& pass) {
    if (!axis.Items().Automatic()) return;
    axis.Items().Clear();
    for (const TAxisLabel& label : pass.Labels)
        axis.Items().Add(label.Value, label.Text).LabelPos = label.LabelPos;
}

TLabelPassResult RunLabelPass(TChartAxis& axis, const TAxisPaint& paint, TChartCanvas& canvas) {
    TLabelPassResult result = ComputeLabelPass(axis, paint, canvas);
    FillAutomaticItems(axis, result);
    return result;
}

}  // namespace twinscope
