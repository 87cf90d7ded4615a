// A secondary scale beside its master axis, through a conversion picked by the input (with its
// inverse or without), over a master range of any doubles, on any side, on a chart of any size,
// painted on the recording canvas. Setting a range or a kind may be refused with the engine's
// error; nothing else may raise, and the paint never. After the paint:
//   - every label of the scale lies within the scale's pixels and reads a finite value whose
//     inverse is finite and converts back to it;
//   - the scale's map places the values of its range in order (a conversion that turns back on
//     itself across the master's range aside) and reads back the pixels it places;
//   - a scroll over the scale leaves its ends finite and in order.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/ScaleCase.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

namespace {

using namespace twinscope;
using fuzz::TScaleCase;
using fuzz::TScaleFamily;

// Charts larger than this take long to paint and find nothing new.
constexpr int LargestChartSide = 1024;
// Values sampled along the scale's range and pixels along its span.
constexpr int Samples = 64;
// How far a value converted there and back may stray, relative to the values and the range.
constexpr double RoundTripTolerance = 1e-6;

void Fail(const char* what, double a = 0, double b = 0) {
    std::fprintf(stderr, "scale conversion: %s (%.17g, %.17g)\n", what, a, b);
    __builtin_trap();
}

TScaleConversion ConversionOf(const TScaleCase& c) {
    const double a = c.A;
    const double b = c.B;
    switch (c.Kind()) {
        case TScaleFamily::Affine:
            return {[=](double x) { return a * x + b; }, [=](double s) { return (s - b) / a; }};
        case TScaleFamily::Reciprocal:
            return {[=](double x) { return a / x; }, [=](double s) { return a / s; }};
        case TScaleFamily::Barometric: {
            constexpr double Exponent = 0.1903;
            constexpr double Height = 44330;
            return {[=](double p) { return Height * (1 - std::pow(p / a, Exponent)); },
                    [=](double h) { return a * std::pow(1 - h / Height, 1 / Exponent); }};
        }
        case TScaleFamily::Decibels:
            return {[=](double x) { return a * std::log10(x); },
                    [=](double s) { return std::pow(10, s / a); }};
        case TScaleFamily::Exponential:
            return {[=](double x) { return std::exp(a * x); },
                    [=](double s) { return std::log(s) / a; }};
        case TScaleFamily::ReciprocalAcross:
            return {[=](double x) { return 1 / (x - a); }, [=](double s) { return 1 / s + a; }};
        case TScaleFamily::SquareRoot:
            return {[=](double x) { return std::sqrt(x - a); },
                    [=](double s) { return s >= 0 ? s * s + a : std::nan(""); }};
        case TScaleFamily::Calendar:
        case TScaleFamily::Count:
            break;
    }
    return {[](double x) { return x; }, [](double s) { return s; }};
}

// Whether the conversion keeps one direction over the master's range: all but a reciprocal
// whose pole lies inside it.
bool Monotonic(const TScaleCase& c, const TChartAxis& master) {
    double pole;
    if (c.Kind() == TScaleFamily::Reciprocal) {
        pole = 0;
    } else if (c.Kind() == TScaleFamily::ReciprocalAcross) {
        pole = c.A;
    } else {
        return true;
    }
    return !(master.Minimum() <= pole && pole <= master.Maximum());
}

bool IsHorizontal(tScaleSide side) {
    return side == ssBottom || side == ssTop;
}

void CheckLabels(const TAxisItems& labels, const TScaleMap& map,
                 const TScaleConversion* conversion) {
    const std::int32_t low = std::min(map.StartPixel(), map.EndPixel());
    const std::int32_t high = std::max(map.StartPixel(), map.EndPixel());
    const double range = std::fabs(map.Maximum() - map.Minimum());
    for (const TAxisItem& label : labels) {
        if (!std::isfinite(label.Value))
            Fail("a label reads a value that is not finite", label.Value);
        if (label.LabelPos < low || label.LabelPos > high)
            Fail("a label lies off the scale", label.Value, label.LabelPos);
        if (!conversion) continue;
        const double master = conversion->Inverse(label.Value);
        if (!std::isfinite(master)) Fail("a label has no master value", label.Value, master);
        const double back = conversion->Forward(master);
        // A subnormal master value, or one that fell to zero from below the normal doubles, has
        // too few digits to convert back closely.
        if (!std::isfinite(back) || !std::isnormal(master)) continue;
        // Differences among subnormal values are below any tolerance.
        const double scale = std::max({std::fabs(label.Value), std::fabs(back), range,
                                       std::numeric_limits<double>::min() / RoundTripTolerance});
        if (std::fabs(back - label.Value) > RoundTripTolerance * scale)
            Fail("a label does not convert back to its value", label.Value, back);
    }
}

// Values in order along the scale's range give pixels in one order, within a pixel of the
// rounding.
void CheckOrder(const TScaleMap& map) {
    std::vector<std::int32_t> pixels;
    for (int i = 0; i <= Samples; ++i) {
        const double v = static_cast<double>(map.Minimum() + map.Span() * i / Samples);
        if (map.Places(v)) pixels.push_back(map.ToPixel(v));
    }
    if (pixels.size() < 2) return;
    const bool growing = pixels.back() >= pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::int32_t step = pixels[i] - pixels[i - 1];
        if (growing ? step < -1 : step > 1) Fail("the map turns back", i, step);
    }
}

// A pixel's value is placed back at that pixel, unless the map puts every value at its centre
// (its range, or its master's, is empty within the tolerance).
void CheckReadBack(const TScaleMap& map) {
    const std::int64_t length = map.EndPixel() - std::int64_t{map.StartPixel()};
    if (length < 2 || map.ToPixel(map.Minimum()) == map.ToPixel(map.Maximum())) return;
    for (int i = 0; i <= Samples; ++i) {
        const std::int64_t p = map.StartPixel() + length * i / Samples;
        const double v = map.ToValue(p);
        // A subnormal value has too few digits to find its pixel again.
        if (!(std::isnormal(v) || v == 0) || !map.Places(v)) continue;
        const std::int64_t back = map.ToPixel(v);
        // Nor has a conversion that puts neighbouring doubles more than a pixel apart (one
        // that adds a much larger constant).
        const auto beside = [&](double toward) {
            const double w = std::nextafter(v, toward);
            return map.Places(w) ? std::llabs(map.ToPixel(w) - back) : 0;
        };
        if (beside(-HUGE_VAL) > 1 || beside(HUGE_VAL) > 1) continue;
        if (std::llabs(back - p) > 1) Fail("a pixel's value is placed elsewhere", p, back);
    }
}

void CheckScroll(const TScaleMap& map) {
    const TScaleRange ends = map.Range();
    const TScaleRange moved = map.Scrolled(ends, map.StartPixel(), map.Center());
    if (moved == ends) return;
    if (!std::isfinite(moved.Minimum) || !std::isfinite(moved.Maximum) ||
        !(moved.Minimum <= moved.Maximum))
        Fail("a scroll leaves the range out of order", moved.Minimum, moved.Maximum);
}

// Runs a step that the engine may refuse with its error; whether it went through.
template <typename Step>
bool Try(Step step) {
    try {
        step();
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void Run(const TScaleCase& c) {
    const int width = 1 + c.Width % LargestChartSide;
    const int height = 1 + c.Height % LargestChartSide;
    TChart chart;
    chart.SetBounds(width, height);
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.AddPoint(1, 1);
    series.AddPoint(2, 2);

    const bool calendar = c.Kind() == TScaleFamily::Calendar;
    const auto side = calendar ? ssBottom : static_cast<tScaleSide>(c.Side % 4);
    if (calendar) series.XValues().SetDateTime(true);
    TChartAxis& master = IsHorizontal(side) ? chart.BottomAxis() : chart.LeftAxis();
    master.SetAutomatic(false);
    Try([&] { master.SetMinMax(c.Minimum, c.Maximum); });
    Try([&] { master.SetLogarithmic(c.Has(fuzz::MasterLogarithmic)); });
    master.SetInverted(c.Has(fuzz::MasterInverted));

    const TScaleConversion conversion = ConversionOf(c);
    // The chart's axes collection owns the scale.
    tScale* scale = nullptr;
    TChartCustomAxes& axes = chart.CustomAxes();
    Try([&] {
        if (calendar) {
            const auto kind = static_cast<TCalendarLabels>(1 + c.Side % 3);
            scale = &axes.Add<tBottomCalendarScale>(kind);
        } else if (c.Has(fuzz::ForwardOnly)) {
            scale = &axes.Add<tScale>(side, "s", conversion.Forward, "", "", clBlack);
        } else {
            scale = &axes.Add<tScale>(side, "s", conversion.Forward, conversion.Inverse, "", "",
                                      clBlack);
        }
    });
    if (!scale) return;
    if (Try([&] { scale->SetLogarithmic(c.Has(fuzz::ScaleLogarithmic)); }))
        Try([&] { scale->FollowMaster(); });
    Try([&] { scale->SetFollowsLive(c.Has(fuzz::FollowsLive)); });
    if (c.Has(fuzz::GridOnScale)) scale->ToggleGrid();
    if (c.Has(fuzz::AlignedTicks)) {
        scale->SetAlignedDecimals((c.Side / 4) % 4);
        scale->SetAlignedToMaster(true);
    }

    TRecordingCanvas canvas;
    TNoTarget target;
    try {
        chart.RenderChart(canvas, target, {0, 0, width, height});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the paint raised: %s\n", e.what());
        __builtin_trap();
    }
    if (!chart.IsAxisShown(*scale)) return;
    const TScaleMap& map = chart.ScaleMapOf(*scale);
    CheckLabels(scale->Items(), map, map.Conversion());
    if (Monotonic(c, master)) CheckOrder(map);
    if (map.Conversion()) CheckReadBack(map);
    CheckScroll(map);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    Run(fuzz::ReadScaleCase(in));
    return 0;
}
