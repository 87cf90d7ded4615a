#include "twinscope/chart/axes/ChartAxis.h"

#include <cmath>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {
constexpr double RangeZeroTolerance = 1e-12;
constexpr std::int32_t PixelLimit = 32767;

// Rounded to the nearest pixel (ties to even) and clamped to the pixel limit; NaN gives 0.
// Series drawing runs this for every point, so it rounds in line.
template <typename F>
std::int32_t ClampPixel(F p) {
    if (std::fabs(p) < PixelLimit) return static_cast<std::int32_t>(RoundToIntegral(p));
    if (std::isnan(p)) return 0;
    return p < 0 ? -PixelLimit : PixelLimit;
}
}  // namespace

TChartAxis::TChartAxis(TAxisHost& chart, Kind kind)
    : chart_(chart), kind_(kind), labels_([this] { Invalidate(); }) {
    auto invalidate = [this] { Invalidate(); };
    axisPen_.SetOnChange(invalidate);
    grid_.SetOnChange(invalidate);
    minorGrid_.SetOnChange(invalidate);
    ticks_.SetOnChange(invalidate);
    ticksInner_.SetOnChange(invalidate);
    minorTicks_.SetOnChange(invalidate);
    SelectValueToPixel();
    chart_.AxisCreated(*this);
}

TChartAxis::~TChartAxis() {
    chart_.AxisDestroyed(*this);
}

void TChartAxis::Invalidate() const {
    ++settingsRevision_;
    chart_.Invalidate();
}

void TChartAxis::SetMinimum(double x) {
    // NaN would compare false both ways and break the promise that Minimum <= Maximum.
    if (!std::isfinite(x)) throw AxisException("Axis Minimum Value must be a finite number");
    if (!chart_.Loading() && x > maximum_) {
        throw AxisException("Axis Minimum Value must be <= Maximum");
    }
    if (x == minimum_) return;
    minimum_ = x;
    chart_.AxisRangeChanged(*this);
}

void TChartAxis::SetMaximum(double x) {
    if (!std::isfinite(x)) throw AxisException("Axis Maximum Value must be a finite number");
    if (!chart_.Loading() && x < minimum_) {
        throw AxisException("Axis Maximum Value must be >= Minimum");
    }
    if (x == maximum_) return;
    maximum_ = x;
    chart_.AxisRangeChanged(*this);
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    if (minimum > maximum_) {
        SetMaximum(maximum);
        SetMinimum(minimum);
    } else {
        SetMinimum(minimum);
        SetMaximum(maximum);
    }
    if (automatic_ || automaticMinimum_ || automaticMaximum_) {
        ClearAutomatic();
        Invalidate();
    }
}

void TChartAxis::StoreMinimum(double x) {
    if (x == minimum_) return;
    minimum_ = x;
    chart_.AxisRangeChanged(*this);
}

void TChartAxis::StoreMaximum(double x) {
    if (x == maximum_) return;
    maximum_ = x;
    chart_.AxisRangeChanged(*this);
}

void TChartAxis::SetIncrement(double x) {
    if (!(x >= 0)) throw AxisException("Axis increment must be >= 0");
    Set(increment_, x);
}

void TChartAxis::SetAutomatic(bool b) {
    Set(automatic_, b);
    // While loading, the two end flags keep their own stored values.
    if (!chart_.Loading()) {
        automaticMinimum_ = b;
        automaticMaximum_ = b;
    }
}

void TChartAxis::SetAutomaticMinimum(bool b) {
    Set(automaticMinimum_, b);
    if (!b) {
        automatic_ = false;
    } else if (automaticMaximum_) {
        automatic_ = true;
    }
}

void TChartAxis::SetAutomaticMaximum(bool b) {
    Set(automaticMaximum_, b);
    if (!b) {
        automatic_ = false;
    } else if (automaticMinimum_) {
        automatic_ = true;
    }
}

void TChartAxis::ClearAutomatic() {
    automatic_ = false;
    automaticMinimum_ = false;
    automaticMaximum_ = false;
}

void TChartAxis::SetHorizontal(bool b) {
    Set(horizontal_, b);
    SelectValueToPixel();
}

void TChartAxis::SetLogarithmic(bool b) {
    Set(logarithmic_, b);
    SelectValueToPixel();
}

TChartAxisTitle& TChartAxis::Title() {
    if (!title_) {
        std::int32_t angle = 0;
        if (!horizontal_) {
            const bool readsUp = this == &chart_.LeftAxis() || !otherSide_;
            angle = readsUp ? 90 : 270;
        }
        title_ = std::make_unique<TChartAxisTitle>([this] { Invalidate(); }, angle);
    }
    return *title_;
}

void TChartAxis::SelectValueToPixel() {
    valueToPixel_ = horizontal_ ? &HorizontalValueToPixel : &VerticalValueToPixel;
}

void TChartAxis::RefreshRangeSpan() {
    rangeSpan_ = static_cast<Extended>(currentMaximum_) - static_cast<Extended>(currentMinimum_);
    rangeIsZero_ = std::fabs(rangeSpan_) <= RangeZeroTolerance;
    pixelsPerUnit_ = rangeIsZero_ ? 0.0 : static_cast<double>(AxisLength() / rangeSpan_);
}

void TChartAxis::PrepareRange() {
    if (automatic_ || automaticMaximum_) maximum_ = boundSeries_.Maximum;
    if (automatic_ || automaticMinimum_) minimum_ = boundSeries_.Minimum;
    currentMaximum_ = maximum_;
    currentMinimum_ = minimum_;
    RefreshRangeSpan();
    RoundAutomaticEnds();
    if (OnCurrentRangeChanged) OnCurrentRangeChanged(*this);
}

void TChartAxis::SetCurrentRange(double minimum, double maximum) {
    currentMinimum_ = minimum;
    currentMaximum_ = maximum;
    RefreshRangeSpan();
    RoundAutomaticEnds();
    if (OnCurrentRangeChanged) OnCurrentRangeChanged(*this);
}

void TChartAxis::RoundAutomaticEnds() {
    if (AxisLength() == 0 || rangeIsZero_) return;
    const bool roundMax = maximumRound_ && (automatic_ || automaticMaximum_);
    const bool roundMin = minimumRound_ && (automatic_ || automaticMinimum_);
    if (!roundMax && !roundMin) return;
    const double step = chart_.LabelStep(*this);
    if (step == 0) return;
    if (roundMax) currentMaximum_ = step * std::ceil(currentMaximum_ / step);
    if (roundMin) currentMinimum_ = step * std::floor(currentMinimum_ / step);
    RefreshRangeSpan();
}

void TChartAxis::ComputePixelSpan(const TRect& plot) {
    const std::int32_t origin = horizontal_ ? plot.Left : plot.Top;
    const std::int32_t size = horizontal_ ? plot.Width() : plot.Height();
    // Positions far outside 0..100 % put the ends beyond any surface; they saturate there.
    const auto at = [&](double percent) {
        return SaturatedPixel(std::int64_t{origin} + SaturatedPixel(Round(size * 0.01 * percent)));
    };
    startPixel_ = at(startPosition_);
    endPixel_ = at(endPosition_);
    RefreshRangeSpan();
}

// The double arithmetic overflows only when the value lies farther from the minimum than the
// largest double (a range like -1e308..1e308); extended precision holds that distance, so those
// values are mapped again there. Every other value keeps the double mapping, pixel for pixel.
std::int32_t TChartAxis::HorizontalValueToPixel(const TChartAxis& a, double value) {
    if (a.rangeIsZero_) return a.CenterPixel();
    const double d = (value - a.currentMinimum_) * a.pixelsPerUnit_;
    if (std::isinf(d) && std::isfinite(value)) return a.ExtendedValueToPixel(value);
    return a.inverted_ ? ClampPixel(a.endPixel_ - d) : ClampPixel(a.startPixel_ + d);
}

std::int32_t TChartAxis::VerticalValueToPixel(const TChartAxis& a, double value) {
    if (a.rangeIsZero_) return a.CenterPixel();
    const double d = (value - a.currentMinimum_) * a.pixelsPerUnit_;
    if (std::isinf(d) && std::isfinite(value)) return a.ExtendedValueToPixel(value);
    return a.inverted_ ? ClampPixel(a.startPixel_ + d) : ClampPixel(a.endPixel_ - d);
}

std::int32_t TChartAxis::ExtendedValueToPixel(double value) const {
    const Extended d = (static_cast<Extended>(value) - currentMinimum_) * AxisLength() / rangeSpan_;
    return horizontal_ != inverted_ ? ClampPixel(startPixel_ + d) : ClampPixel(endPixel_ - d);
}

double TChartAxis::PixelToValue(std::int32_t pixel) const {
    const std::int32_t length = AxisLength();
    if (length < 1) return 0;
    const std::int32_t k = inverted_ ? endPixel_ - pixel : pixel - startPixel_;
    const Extended offset = k * rangeSpan_ / length;
    return horizontal_ ? static_cast<double>(currentMinimum_ + offset)
                       : static_cast<double>(currentMaximum_ - offset);
}

void TAxisHost::SetAxisShown(TChartAxis& axis, bool shown) {
    axis.SetAxisShown(shown);
}

void TAxisHost::SetBoundSeries(TChartAxis& axis, const TBoundSeries& series) {
    axis.SetBoundSeries(series);
}

TChartDepthAxis::TChartDepthAxis(TAxisHost& chart) : TChartAxis(chart, Kind::Standard) {
    SetVisible(false);
}

}  // namespace twinscope
