#include "twinscope/chart/axes/ChartAxis.h"

#include <cmath>

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {
// Whether an end may stand on a logarithmic axis.
bool AboveZero(double x) {
    return x > 0;
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
    if (!chart_.Loading() && logarithmic_ && !AboveZero(x)) {
        throw AxisException("Axis range must be > 0 for a logarithmic axis");
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
    if (!chart_.Loading() && logarithmic_ && !AboveZero(x)) {
        throw AxisException("Axis range must be > 0 for a logarithmic axis");
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

void TChartAxis::StoreRange(TScaleRange range) {
    // Each end that changes is reported, the minimum first.
    if (range.Minimum != minimum_) {
        minimum_ = range.Minimum;
        chart_.AxisRangeChanged(*this);
    }
    if (range.Maximum != maximum_) {
        maximum_ = range.Maximum;
        chart_.AxisRangeChanged(*this);
    }
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
}

void TChartAxis::SetLogarithmic(bool b) {
    // Only the ends the axis keeps fixed must lie above zero: automatic ends pass over the
    // values that have no logarithm.
    const bool fixedEndAtOrBelowZero =
        (!(automatic_ || automaticMinimum_) && !AboveZero(minimum_)) ||
        (!(automatic_ || automaticMaximum_) && !AboveZero(maximum_));
    if (b && !chart_.Loading() && fixedEndAtOrBelowZero) {
        throw AxisException("Axis range must be > 0 for a logarithmic axis");
    }
    Set(logarithmic_, b);
}

void TChartAxis::SetLogarithmicBase(double v) {
    if (!(v > 1) || std::isinf(v)) throw AxisException("Axis logarithmic base must be > 1");
    Set(logarithmicBase_, v);
}

std::shared_ptr<const TAxisTransform> TChartAxis::Transform() const {
    if (transform_) return transform_;
    if (!logarithmic_) {
        static const auto linear = std::make_shared<const TLinearTransform>();
        return linear;
    }
    if (!logTransform_ || logTransform_->Base() != logarithmicBase_) {
        logTransform_ = std::make_shared<const TLogTransform>(logarithmicBase_);
    }
    return logTransform_;
}

void TChartAxis::SetTransform(std::shared_ptr<const TAxisTransform> transform) {
    if (transform == transform_) return;
    transform_ = std::move(transform);
    Invalidate();
}

void TChartAxis::SetTransform(std::function<double(double)> forward,
                              std::function<double(double)> inverse, TTransformDomain domain) {
    if (!forward || !inverse) throw AxisException("Axis transform needs both functions");
    SetTransform(
        std::make_shared<const TFunctionTransform>(std::move(forward), std::move(inverse), domain));
}

void TChartAxis::SetConvertedFrom(TConvertedFrom from) {
    if (!from.Master) from.Conversion = nullptr;
    if (from == convertedFrom_) return;
    convertedFrom_ = std::move(from);
    Invalidate();
}

void TChartAxis::SetTickAlignment(TTickAlignment alignment) {
    if (alignment.Master) {
        CheckAlignedDecimals(alignment.Decimals);
        if (!alignment.Forward) throw AxisException("Aligned ticks need a conversion");
    }
    tickAlignment_ = std::move(alignment);
    Invalidate();
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

void TChartAxis::SetRangeFollowing(TRangeFollowing following) {
    following_ = std::move(following);
    Invalidate();
}

TScaleRange TChartAxis::PrepareRange(const TBoundSeries& series) {
    if (automatic_ || automaticMaximum_) maximum_ = series.Maximum;
    if (automatic_ || automaticMinimum_) minimum_ = series.Minimum;
    return {minimum_, maximum_};
}

TChartDepthAxis::TChartDepthAxis(TAxisHost& chart) : TChartAxis(chart, Kind::Standard) {
    SetVisible(false);
}

}  // namespace twinscope
