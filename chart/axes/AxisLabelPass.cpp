#include "twinscope/chart/axes/AxisLabelPass.h"

#include <algorithm>
#include <cmath>
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
constexpr double SmallestPositive = std::numeric_limits<double>::denorm_min();
// An index-valued X series keeps whole steps on ranges of at least this.
constexpr Extended MinRangeForWholeSteps = 1.1;
// Above this a rounded quotient would not fit a 64-bit integer.
constexpr Extended MaxRoundable = 9.223372036854775807e18L;
constexpr Extended MaxSteppedValue = 1.7e308;

// A series drawn at its point indexes needs no steps finer than one index.
bool HasFewIndexedPoints(const TChartAxis& axis, std::int32_t count) {
    const std::int32_t points = axis.BoundSeries().IndexedPoints;
    return points >= 1 && points <= count;
}

// The value loop of one pass, from the top of the range down.
class ValueLabelLoop {
public:
    ValueLabelLoop(TChartAxis& axis, TLabelPassResult& result) : axis_(axis), result_(result) {}

    void Run() {
        const double increment = result_.LabelIncrement;
        const double minimum = axis_.CurrentMinimum();
        const double maximum = axis_.CurrentMaximum();
        if (std::fabs(axis_.RangeSpan() / increment) >= MaxLabelsPerPass) return;

        const std::int32_t stepIndex = result_.StepIndex;
        const bool exactDates = axis_.IsDateTimeAxis() && axis_.ExactDateTime();
        double v;
        if (exactDates && stepIndex != NoDateTimeStep && stepIndex >= dtOneDay) {
            v = RoundToDateTimeStep(stepIndex, maximum);
        } else if (SameValue(minimum, maximum) || !axis_.Labels().RoundFirst()) {
            v = maximum;
        } else {
            // Whole-valued in extended precision: a quotient beyond 64-bit integers stays as
            // it is instead of saturating.
            v = static_cast<double>(std::trunc(static_cast<Extended>(maximum) / increment) *
                                    increment);
        }
        calendarStepping_ = exactDates && stepIndex >= dtHalfMonth;

        // A first value above the maximum (a negative maximum, a calendar boundary above it)
        // moves down into the range.
        while (v > maximum) {
            if (!StepDown(v)) break;
        }
        if (axis_.RangeIsZero()) {
            Place(v);
            return;
        }
        // A minimum of 0 is reached even when the steps land a hair below it.
        const Extended low = minimum < 0 ? static_cast<Extended>(minimum)
                                         : (minimum - static_cast<Extended>(SmallestPositive)) /
                                               (1 + static_cast<Extended>(SmallestPositive));
        while (v >= low) {
            const double old = v;
            Place(v);
            if (!StepDown(v) || v >= old) break;
        }
    }

private:
    void Place(double v) {
        if (!CanLabel(axis_, v)) return;
        const std::int32_t p = axis_.ValueToPixel(v);
        const bool onAxis = axis_.Labels().OnAxis();
        if (!onAxis && !(axis_.StartPixel() < p && p < axis_.EndPixel())) return;

        const bool labelsVisible = axis_.Labels().Visible();
        const bool tickOnLabelsOnly = axis_.TickOnLabelsOnly();
        if (!tickOnLabelsOnly) result_.TickPositions.push_back(p);
        const bool gridAlways = axis_.Grid().Visible() && axis_.Grid().DrawAlways();
        if (!labelsVisible && !gridAlways) return;
        std::string text = LabelText(axis_, v);
        if (tickOnLabelsOnly) result_.TickPositions.push_back(p);
        if (!labelsVisible) return;
        TAxisItem& item = axis_.Items().Add(v, text);
        item.LabelPos = p;
        result_.Labels.push_back({v, std::move(text), p});
    }

    // One step down; false when the value can go no further.
    bool StepDown(double& v) const {
        if (calendarStepping_) {
            const double next = StepDateTimeDown(v, result_.LabelIncrement, result_.StepIndex);
            const bool moved = !SameValue(next, v);
            v = next;
            return moved;
        }
        const Extended next = static_cast<Extended>(v) - result_.LabelIncrement;
        if (std::fabs(next) > MaxSteppedValue) return false;
        v = static_cast<double>(next);
        return true;
    }

    TChartAxis& axis_;
    TLabelPassResult& result_;
    bool calendarStepping_ = false;
};
}  // namespace

TAxisLabelStyle LabelStyleInUse(const TChartAxis& axis) {
    if (axis.Labels().Style() != talAuto) return axis.Labels().Style();
    return axis.BoundSeries().LabelStyle;
}

bool CanLabel(const TChartAxis& axis, double value) {
    return !axis.IsDateTimeAxis() || IsCalendarValue(value);
}

std::string LabelText(const TChartAxis& axis, double value) {
    if (!CanLabel(axis, value)) return {};
    std::string text;
    if (axis.IsDateTimeAxis()) {
        std::string format = axis.DateTimeFormat();
        if (format.empty()) {
            const FormatSettings& settings = CurrentFormatSettings();
            format = axis.RangeSpan() > 1 ? settings.ShortDateFormat : settings.ShortTimeFormat;
        }
        text = DateTimeToString(format, value);
    } else {
        text = FormatFloat(axis.AxisValuesFormat(), value);
    }
    if (axis.Labels().MultiLine()) std::replace(text.begin(), text.end(), ' ', '\r');
    return text;
}

std::int32_t LabelSizeAlongAxis(const TChartAxis& axis, TChartCanvas& canvas, double value) {
    const TMultiLineWidth size = canvas.MultiLineTextWidth(LabelText(axis, value));
    const std::int32_t angle = axis.Labels().Angle();
    const bool linesAlongAxis =
        axis.Horizontal() ? angle == 90 || angle == 270 : angle == 0 || angle == 180;
    return linesAlongAxis ? canvas.FontHeight() * size.Lines : size.Width;
}

std::int32_t LabelsThatFit(const TChartAxis& axis, std::int32_t labelSize) {
    return LabelsThatFit(axis.AxisLength(), labelSize, axis.Labels().Separation());
}

TIncrementInput IncrementInputOf(const TChartAxis& axis, std::int32_t count) {
    const bool dateTime = axis.IsDateTimeAxis();
    const Extended span = axis.RangeSpan();
    return {.Span = span,
            .Increment = axis.Increment(),
            .DateTime = dateTime,
            .RangeIsZero = axis.RangeIsZero(),
            .Separated = axis.Labels().Separation() != 0,
            .WholeSteps = !dateTime && axis.Increment() <= 0 && !axis.RangeIsZero() &&
                          span >= MinRangeForWholeSteps && HasFewIndexedPoints(axis, count)};
}

double IncrementForCount(const TChartAxis& axis, std::int32_t count) {
    return IncrementForCount(IncrementInputOf(axis, count), count);
}

TLabelSample MeasureLabelSample(const TChartAxis& axis, TChartCanvas& canvas) {
    canvas.SetFont(axis.LabelsFont());
    const double increment = axis.Increment();
    double low = axis.CurrentMinimum();
    double high = axis.CurrentMaximum();
    if (axis.Labels().RoundFirst() && increment != 0) {
        const Extended q = static_cast<Extended>(low) / increment;
        const Extended whole = std::fabs(q) > MaxRoundable ? q : static_cast<Extended>(Round(q));
        low = static_cast<double>(whole * increment);
        high = static_cast<double>(std::trunc(static_cast<Extended>(high) / increment) * increment);
    }

    std::int32_t w = 0;
    const auto measure = [&](double value) {
        w = std::max(w, LabelSizeAlongAxis(axis, canvas, value));
    };
    if (increment != 0) {
        measure(high);
        measure(low);
        measure(static_cast<double>(static_cast<Extended>(high) - increment));
        measure(static_cast<double>(static_cast<Extended>(low) + increment));
    } else {
        // A value with a fraction, so that labels with decimals are measured too.
        double mid = static_cast<double>(low + (static_cast<Extended>(high) - low) * 0.5);
        if (std::isinf(mid)) mid = 0;
        while (Frac(mid) == 0 && mid != 0 && !std::isnan(mid))
            mid *= 0.5;
        measure(low);
        measure(mid);
        measure(high);
    }

    return {.Size = w,
            .Minimum = axis.CurrentMinimum(),
            .Maximum = axis.CurrentMaximum(),
            .SettingsRevision = axis.SettingsRevision()};
}

TLabelIncrement LabelIncrementFrom(const TChartAxis& axis, TChartCanvas& canvas,
                                   const TLabelSample& measured) {
    TLabelIncrement result{.Sample = measured};
    // The same range in the same settings gives the same samples; only how many fit along the
    // axis is counted again.
    const bool holds = measured.Size >= 0 && measured.Minimum == axis.CurrentMinimum() &&
                       measured.Maximum == axis.CurrentMaximum() &&
                       measured.SettingsRevision == axis.SettingsRevision();
    if (holds) {
        canvas.SetFont(axis.LabelsFont());
    } else {
        result.Sample = MeasureLabelSample(axis, canvas);
    }
    result.Increment = IncrementForCount(axis, LabelsThatFit(axis, result.Sample.Size));
    if (axis.Labels().Alternate()) result.Increment *= 0.5;
    return result;
}

double ComputeLabelIncrement(const TChartAxis& axis, TChartCanvas& canvas) {
    return LabelIncrementFrom(axis, canvas, {}).Increment;
}

TLabelPassResult RunLabelPass(TChartAxis& axis, TChartCanvas& canvas,
                              const TLabelSample& measured) {
    TLabelPassResult result;
    if (!axis.Items().Automatic()) return result;
    axis.Items().Clear();
    const TAxisLabelStyle style = LabelStyleInUse(axis);
    if (style == talNone && !(axis.Grid().Visible() && axis.Grid().DrawAlways())) return result;

    result.LabelIncrement = LabelIncrementFrom(axis, canvas, measured).Increment;
    if (axis.IsDateTimeAxis() && axis.ExactDateTime() && axis.Increment() != 0) {
        std::int32_t i = FindDateTimeStep(axis.Increment());
        if (i != NoDateTimeStep) {
            while (result.LabelIncrement > DateTimeStepTable[i] && i != dtOneYear)
                ++i;
        }
        result.StepIndex = i;
    }

    const bool calendarRow = result.StepIndex >= dtHalfMonth && result.StepIndex <= dtOneYear;
    if ((result.LabelIncrement > 0 || calendarRow) &&
        axis.CurrentMaximum() >= axis.CurrentMinimum() && style == talValue) {
        ValueLabelLoop(axis, result).Run();
    }
    return result;
}

}  // namespace twinscope
