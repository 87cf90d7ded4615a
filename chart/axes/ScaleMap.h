#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "twinscope/chart/axes/AxisTransform.h"
#include "twinscope/chart/axes/ScaleConversion.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// How values are spread along an axis: evenly, evenly by their logarithm, or evenly by the
// positions of an axis transform (TAxisTransform) of their own.
enum class TScaleKind : std::uint8_t { skLinear, skLogarithmic, skTransformed };
using enum TScaleKind;

// The range an axis shows in one paint.
struct TWINSCOPE_EXPORT TScaleRange {
    double Minimum = 0;
    double Maximum = 0;
    friend bool operator==(const TScaleRange&, const TScaleRange&) = default;
};

// The pixels an axis spans along its direction in one paint.
struct TWINSCOPE_EXPORT TPixelSpan {
    std::int32_t Start = 0;
    std::int32_t End = 0;
    friend bool operator==(const TPixelSpan&, const TPixelSpan&) = default;
};

// Which way values grow along an axis: to the right on a horizontal axis and upwards on a
// vertical one, against that when inverted.
struct TWINSCOPE_EXPORT TScaleDirection {
    bool Horizontal = false;
    bool Inverted = false;
    friend bool operator==(const TScaleDirection&, const TScaleDirection&) = default;
};

// The one mapping between an axis's values and its pixels in one paint. The chart builds it
// once per paint per axis from the range shown, the pixel span and the direction; series,
// labels, the mouse and the hit tests all map through it.
//
// Linear: a value lies (value - Minimum) x PixelsPerUnit pixels from the minimum's end, rounded
// to the nearest pixel (ties to even) and clamped to -32767..32767. A zero range maps every value
// to the centre pixel.
// Logarithmic: the same by the logarithm of the value, so that each power of the base takes the
// same room; a value at or below zero lies beyond the minimum's end. A logarithmic map of a range
// that does not lie wholly above zero maps linearly: such a range has no logarithm.
// Transformed: the same by the transform's position of the value (Forward), for a range whose
// ends lie in the transform's domain; a value outside it lies beyond the minimum's end. A range
// with an end outside the domain maps linearly.
// Converted (Through): a scale's own values stand where the master map puts their inverse. The
// range, kind and base stay the scale's own, which its labels are chosen from; only the pixels
// come from the master, so a non-linear or decreasing conversion places its labels unevenly or
// reversed. A value whose inverse is not finite has no pixel (Places).
class TWINSCOPE_EXPORT TScaleMap {
public:
    static constexpr std::int32_t PixelLimit = 32767;

    TScaleMap() = default;
    TScaleMap(TScaleRange range, TPixelSpan pixels, TScaleDirection direction,
              TScaleKind kind = skLinear, double logBase = 10);
    // A map through a transform of the axis's own (none maps linearly).
    TScaleMap(TScaleRange range, TPixelSpan pixels, TScaleDirection direction,
              std::shared_ptr<const TAxisTransform> transform);

    // The same range and direction over other pixels.
    TScaleMap OnPixels(TPixelSpan pixels) const;
    // Another range over the same pixels, in the same direction and kind.
    TScaleMap WithRange(TScaleRange range) const;
    // This map's range, kind and base with the pixels of a master map, reached through the
    // conversion's inverse. The master map must span this map's range converted back.
    TScaleMap Through(const TScaleMap& master,
                      std::shared_ptr<const TScaleConversion> conversion) const;
    // The conversion a converted map goes through; none for a plain map.
    const TScaleConversion* Conversion() const;

    std::int32_t ToPixel(double value) const {
        if (through_) [[unlikely]]
            return ConvertedToPixel(value);
        if (rangeIsZero_) return Center();
        if (kind_ == skLinear) [[likely]] {
            const double d = (value - range_.Minimum) * pixelsPerUnit_;
            // Only a value farther from the minimum than the largest double (a range like
            // -1e308..1e308) overflows; extended precision holds that distance.
            if (std::isinf(d) && std::isfinite(value)) return ExtendedToPixel(value);
            return Clamped(origin_ + sign_ * d);
        }
        return kind_ == skLogarithmic ? LogToPixel(value) : TransformedToPixel(value);
    }
    // Whether a value has a pixel: every value has, except on a converted map where its inverse
    // is not finite.
    bool Places(double value) const;
    // Whether a value lies in the scale's domain: every value on a linear map, those above zero
    // on a logarithmic one, the transform's domain on a transformed one. A series leaves out
    // its points outside it.
    bool InDomain(double value) const;
    // The value a fraction of the way from one value to another along the scale: a straight
    // line between two points on the axis's pixels stands there.
    double Between(double from, double to, double fraction) const;
    // The room the range takes in the positions its labels step by: powers of the base on a
    // logarithmic map, the transform's positions on a transformed one, else the value span.
    Extended PositionSpan() const;
    // The transform of a transformed map; none for the other kinds.
    const TAxisTransform* Transform() const { return transform_.Ptr.get(); }
    // The value at a pixel, which may lie far off the axis; 0 on an axis shorter than a pixel.
    double ToValue(std::int64_t pixel) const;
    // Both ends moved as far as the content moves when dragged from one pixel to another: by
    // the same difference on a linear map, by the same ratio on a logarithmic one. An end that
    // would leave the doubles (or, logarithmic, zero) stays where it is.
    TScaleRange Scrolled(TScaleRange ends, std::int64_t from, std::int64_t to) const;

    TScaleKind Kind() const { return kind_; }
    double LogBase() const { return logBase_; }
    TScaleDirection Direction() const { return direction_; }
    const TScaleRange& Range() const { return range_; }
    double Minimum() const { return range_.Minimum; }
    double Maximum() const { return range_.Maximum; }
    // Maximum - Minimum, in extended precision.
    Extended Span() const { return span_; }
    // The range is empty within the axis's tolerance: 1e-12 between the ends, or between their
    // logarithms on a logarithmic map.
    bool RangeIsZero() const { return rangeIsZero_; }
    const TPixelSpan& Pixels() const { return pixels_; }
    std::int32_t StartPixel() const { return pixels_.Start; }
    std::int32_t EndPixel() const { return pixels_.End; }
    std::int32_t Length() const { return SaturatedLength(pixels_); }
    std::int32_t Center() const {
        return static_cast<std::int32_t>((std::int64_t{pixels_.Start} + pixels_.End) / 2);
    }
    // Pixels per unit of value (of the value's logarithm on a logarithmic map); 0 for a zero
    // range.
    double PixelsPerUnit() const { return pixelsPerUnit_; }

    friend bool operator==(const TScaleMap&, const TScaleMap&) = default;

private:
    struct Converted;
    // Shared and immutable, so that copies stay cheap; equal when they are the same.
    struct ConvertedRef {
        std::shared_ptr<const Converted> Ptr;
        explicit operator bool() const { return Ptr != nullptr; }
        bool operator==(const ConvertedRef& other) const;
    };
    std::int32_t ConvertedToPixel(double value) const;
    static std::int32_t SaturatedLength(TPixelSpan p);
    // Rounded to the nearest pixel (ties to even) and clamped to the pixel limit; NaN gives 0.
    template <typename F>
    static std::int32_t Clamped(F p) {
        if (std::fabs(p) < PixelLimit) return static_cast<std::int32_t>(RoundToIntegral(p));
        if (std::isnan(p)) return 0;
        return p < 0 ? -PixelLimit : PixelLimit;
    }
    std::int32_t ExtendedToPixel(double value) const;
    std::int32_t LogToPixel(double value) const;
    std::int32_t TransformedToPixel(double value) const;
    // A map of this one's kind (and transform) for another range and pixels.
    TScaleMap Rebuilt(TScaleRange range, TPixelSpan pixels) const;
    double PositionOf(double value) const;

    // The kind asked for, and the kind the range allows.
    TScaleKind requested_ = skLinear;
    TScaleKind kind_ = skLinear;
    double logBase_ = 10;
    TScaleDirection direction_;
    TScaleRange range_;
    TPixelSpan pixels_;
    Extended span_ = 0;
    bool rangeIsZero_ = true;
    double pixelsPerUnit_ = 0;
    // The pixel of the minimum, and +1 or -1 as values grow towards the end or the start.
    double origin_ = 0;
    double sign_ = 1;
    // Logarithmic maps: the natural logarithms of the ends and their difference; transformed
    // maps: the positions of the minimum and the span.
    double logMinimum_ = 0;
    Extended logSpan_ = 0;
    ConvertedRef through_;
    // The transform of a transformed map, equal when it is the same.
    struct TransformRef {
        std::shared_ptr<const TAxisTransform> Ptr;
        bool operator==(const TransformRef& other) const { return Ptr == other.Ptr; }
    };
    TransformRef transform_;
};

}  // namespace twinscope
