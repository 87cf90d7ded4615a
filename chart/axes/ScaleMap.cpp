#include "twinscope/chart/axes/ScaleMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "twinscope/runtime/Types.h"

namespace twinscope {

namespace {
constexpr Extended RangeZeroTolerance = 1e-12;
// A scroll step never carries a range end beyond this magnitude.
constexpr double ScrollLimit = 1.7e308;

double Shifted(double end, double delta) {
    const double moved = end + delta;
    return std::fabs(moved) > ScrollLimit ? end : moved;
}

double Scaled(double end, double ratio) {
    const double moved = end * ratio;
    return moved > 0 && moved <= ScrollLimit ? moved : end;
}
}  // namespace

TScaleMap::TScaleMap(TScaleRange range, TPixelSpan pixels, TScaleDirection direction,
                     TScaleKind kind, double logBase)
    : requested_(kind),
      kind_(kind == skLogarithmic && range.Minimum > 0 && range.Maximum > 0 ? skLogarithmic
                                                                            : skLinear),
      logBase_(logBase),
      direction_(direction),
      range_(range),
      pixels_(pixels) {
    span_ = static_cast<Extended>(range.Maximum) - static_cast<Extended>(range.Minimum);
    const std::int32_t length = Length();
    const bool minimumAtStart = direction.Horizontal != direction.Inverted;
    origin_ = minimumAtStart ? pixels.Start : pixels.End;
    sign_ = minimumAtStart ? 1 : -1;
    if (kind_ == skLinear) {
        rangeIsZero_ = std::fabs(span_) <= RangeZeroTolerance;
        pixelsPerUnit_ = rangeIsZero_ ? 0.0 : static_cast<double>(length / span_);
        return;
    }
    logMinimum_ = std::log(range.Minimum);
    logSpan_ = std::log(static_cast<Extended>(range.Maximum)) -
               std::log(static_cast<Extended>(range.Minimum));
    rangeIsZero_ = std::fabs(logSpan_) <= RangeZeroTolerance;
    pixelsPerUnit_ = rangeIsZero_ ? 0.0 : static_cast<double>(length / logSpan_);
}

TScaleMap::TScaleMap(TScaleRange range, TPixelSpan pixels, TScaleDirection direction,
                     std::shared_ptr<const TAxisTransform> transform)
    : TScaleMap(range, pixels, direction) {
    if (!transform) return;
    requested_ = skTransformed;
    transform_.Ptr = std::move(transform);
    const TAxisTransform& t = *transform_.Ptr;
    if (!t.InDomain(range.Minimum) || !t.InDomain(range.Maximum)) return;
    const double low = t.Forward(range.Minimum);
    const Extended span = static_cast<Extended>(t.Forward(range.Maximum)) - low;
    if (!std::isfinite(low) || !std::isfinite(span)) return;
    kind_ = skTransformed;
    logMinimum_ = low;
    logSpan_ = span;
    rangeIsZero_ = std::fabs(logSpan_) <= RangeZeroTolerance;
    pixelsPerUnit_ = rangeIsZero_ ? 0.0 : static_cast<double>(Length() / logSpan_);
}

TScaleMap TScaleMap::Rebuilt(TScaleRange range, TPixelSpan pixels) const {
    if (requested_ == skTransformed) return {range, pixels, direction_, transform_.Ptr};
    return {range, pixels, direction_, requested_, logBase_};
}

struct TScaleMap::Converted {
    TScaleMap Master;
    std::shared_ptr<const TScaleConversion> Conversion;
};

bool TScaleMap::ConvertedRef::operator==(const ConvertedRef& other) const {
    if (Ptr == other.Ptr) return true;
    return Ptr && other.Ptr && Ptr->Conversion == other.Ptr->Conversion &&
           Ptr->Master == other.Ptr->Master;
}

TScaleMap TScaleMap::OnPixels(TPixelSpan pixels) const {
    TScaleMap moved = Rebuilt(range_, pixels);
    if (!through_) return moved;
    return moved.Through(through_.Ptr->Master.OnPixels(pixels), through_.Ptr->Conversion);
}

TScaleMap TScaleMap::WithRange(TScaleRange range) const {
    // A map that fell back to linear for its old range may be logarithmic for the new one.
    TScaleMap ranged = Rebuilt(range, pixels_);
    if (!through_) return ranged;
    const TScaleConversion& c = *through_.Ptr->Conversion;
    const double a = c.Inverse(range.Minimum);
    const double b = c.Inverse(range.Maximum);
    return ranged.Through(through_.Ptr->Master.WithRange({std::min(a, b), std::max(a, b)}),
                          through_.Ptr->Conversion);
}

TScaleMap TScaleMap::Through(const TScaleMap& master,
                             std::shared_ptr<const TScaleConversion> conversion) const {
    TScaleMap converted = *this;
    converted.through_.Ptr =
        std::make_shared<const Converted>(Converted{master, std::move(conversion)});
    return converted;
}

const TScaleConversion* TScaleMap::Conversion() const {
    return through_ ? through_.Ptr->Conversion.get() : nullptr;
}

std::int32_t TScaleMap::ConvertedToPixel(double value) const {
    const Converted& c = *through_.Ptr;
    return c.Master.ToPixel(c.Conversion->Inverse(value));
}

bool TScaleMap::Places(double value) const {
    if (through_) return std::isfinite(through_.Ptr->Conversion->Inverse(value));
    return kind_ != skTransformed || transform_.Ptr->InDomain(value);
}

bool TScaleMap::InDomain(double value) const {
    switch (kind_) {
    case skLinear: return true;
    case skLogarithmic: return value > 0;
    case skTransformed: return transform_.Ptr->InDomain(value);
    }
    return true;
}

double TScaleMap::Between(double from, double to, double fraction) const {
    switch (kind_) {
    case skLinear: return from + fraction * (to - from);
    case skLogarithmic:
        if (from <= 0 || to <= 0) return 0;
        return std::exp(std::log(from) + fraction * (std::log(to) - std::log(from)));
    case skTransformed: {
        const TAxisTransform& t = *transform_.Ptr;
        if (!t.InDomain(from) || !t.InDomain(to)) return range_.Minimum;
        const double a = t.Forward(from);
        return t.Inverse(a + fraction * (t.Forward(to) - a));
    }
    }
    return from;
}

Extended TScaleMap::PositionSpan() const {
    if (kind_ == skLogarithmic) return logSpan_ / std::log(static_cast<Extended>(logBase_));
    return kind_ == skTransformed ? logSpan_ : span_;
}

double TScaleMap::PositionOf(double value) const {
    const TAxisTransform& t = *transform_.Ptr;
    // Outside the domain a value lies infinitely far below the minimum.
    if (!t.InDomain(value)) return -std::numeric_limits<double>::infinity();
    return t.Forward(value);
}

std::int32_t TScaleMap::TransformedToPixel(double value) const {
    if (std::isnan(value)) return 0;
    const double d = (PositionOf(value) - logMinimum_) * pixelsPerUnit_;
    return Clamped(origin_ + sign_ * d);
}

std::int32_t TScaleMap::SaturatedLength(TPixelSpan p) {
    return SaturatedPixel(std::int64_t{p.End} - p.Start);
}

std::int32_t TScaleMap::ExtendedToPixel(double value) const {
    const Extended d = (static_cast<Extended>(value) - range_.Minimum) * Length() / span_;
    return Clamped(origin_ + sign_ * d);
}

std::int32_t TScaleMap::LogToPixel(double value) const {
    if (std::isnan(value)) return 0;
    // At or below zero a value lies infinitely far below the minimum.
    const double d = value > 0 ? (std::log(value) - logMinimum_) * pixelsPerUnit_
                               : -std::numeric_limits<double>::infinity();
    return Clamped(origin_ + sign_ * d);
}

double TScaleMap::ToValue(std::int64_t pixel) const {
    if (through_) return through_.Ptr->Conversion->Forward(through_.Ptr->Master.ToValue(pixel));
    const std::int32_t length = Length();
    if (length < 1) return 0;
    const std::int64_t k =
        direction_.Inverted ? std::int64_t{pixels_.End} - pixel : pixel - pixels_.Start;
    if (kind_ == skLinear) {
        const Extended offset = static_cast<Extended>(k) * span_ / length;
        return direction_.Horizontal ? static_cast<double>(range_.Minimum + offset)
                                     : static_cast<double>(range_.Maximum - offset);
    }
    const Extended offset = static_cast<Extended>(k) * logSpan_ / length;
    if (kind_ == skTransformed) {
        const Extended position = direction_.Horizontal ? logMinimum_ + offset
                                                        : logMinimum_ + logSpan_ - offset;
        return transform_.Ptr->Inverse(static_cast<double>(position));
    }
    const Extended logValue = direction_.Horizontal
                                  ? std::log(static_cast<Extended>(range_.Minimum)) + offset
                                  : std::log(static_cast<Extended>(range_.Maximum)) - offset;
    return static_cast<double>(std::exp(logValue));
}

TScaleRange TScaleMap::Scrolled(TScaleRange ends, std::int64_t from, std::int64_t to) const {
    if (through_) {
        // The content moves on the master's scale; the ends follow it there and back.
        const TScaleConversion& c = *through_.Ptr->Conversion;
        const double a = c.Inverse(ends.Minimum);
        const double b = c.Inverse(ends.Maximum);
        const TScaleRange moved =
            through_.Ptr->Master.Scrolled({std::min(a, b), std::max(a, b)}, from, to);
        const double low = c.Forward(moved.Minimum);
        const double high = c.Forward(moved.Maximum);
        if (!std::isfinite(low) || !std::isfinite(high)) return ends;
        return {std::min(low, high), std::max(low, high)};
    }
    if (kind_ == skLinear) {
        const double delta = ToValue(from) - ToValue(to);
        return {Shifted(ends.Minimum, delta), Shifted(ends.Maximum, delta)};
    }
    if (kind_ == skTransformed) {
        // The content moves by the same difference of positions.
        const TAxisTransform& t = *transform_.Ptr;
        const double delta = PositionOf(ToValue(from)) - PositionOf(ToValue(to));
        const auto moved = [&](double end) {
            const double v = t.Inverse(t.Forward(end) + delta);
            return std::isfinite(v) && t.InDomain(v) ? v : end;
        };
        if (!std::isfinite(delta)) return ends;
        return {moved(ends.Minimum), moved(ends.Maximum)};
    }
    const double ratio = ToValue(from) / ToValue(to);
    if (!(ratio > 0) || std::isinf(ratio)) return ends;
    return {Scaled(ends.Minimum, ratio), Scaled(ends.Maximum, ratio)};
}

}  // namespace twinscope
