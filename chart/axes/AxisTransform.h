#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The values a transform has positions for.
struct TWINSCOPE_EXPORT TTransformDomain {
    double Minimum = -HUGE_VAL;
    double Maximum = HUGE_VAL;
    bool MinimumIncluded = true;
    bool Contains(double v) const {
        return (MinimumIncluded ? v >= Minimum : v > Minimum) && v <= Maximum;
    }
    friend bool operator==(const TTransformDomain&, const TTransformDomain&) = default;
};

// How an axis spreads its values: a value stands at a position that grows evenly along the axis
// (Forward), and a position has a value (Inverse). The transform also owns the domain (the
// values it can place), the tick rule and the minor ticks, so that the scale map, the label
// pass, the automatic ranges, the series' interpolation and their domain checks all ask the one
// value.
//
// The tick rule is one of two: labels a value increment apart (StepsInPositions false: the label
// pass chooses the increment from the value range, as on a linear axis), or labels at every n-th
// whole position (StepsInPositions true: powers of the base on a logarithmic axis, 0 and the
// signed powers on a symmetric logarithmic one), n chosen so that the labels fit.
class TWINSCOPE_EXPORT TAxisTransform {
public:
    virtual ~TAxisTransform() = default;

    virtual double Forward(double value) const = 0;
    virtual double Inverse(double position) const = 0;
    virtual TTransformDomain Domain() const { return {}; }
    bool InDomain(double value) const { return Domain().Contains(value); }

    virtual bool StepsInPositions() const { return false; }
    // The labels at every `every`-th whole position within the range, from the top down.
    virtual std::vector<double> PositionLabels(double minimum, double maximum,
                                               std::int64_t every) const;
    // The minor tick values strictly between two neighbouring labels (low < high), `count`
    // of them where the transform has no rule of its own: evenly spaced in value.
    virtual std::vector<double> MinorValues(double low, double high, std::int32_t count) const;
};

// Values as they are.
class TWINSCOPE_EXPORT TLinearTransform final : public TAxisTransform {
public:
    double Forward(double value) const override { return value; }
    double Inverse(double position) const override { return position; }
};

// The logarithm to a base: each power of the base takes the same room; values above zero.
class TWINSCOPE_EXPORT TLogTransform final : public TAxisTransform {
public:
    explicit TLogTransform(double base = 10) : base_(base) {}
    double Forward(double value) const override;
    double Inverse(double position) const override;
    TTransformDomain Domain() const override { return {.Minimum = 0, .MinimumIncluded = false}; }
    bool StepsInPositions() const override { return true; }
    std::vector<double> MinorValues(double low, double high, std::int32_t count) const override;
    double Base() const { return base_; }

private:
    double base_;
};

// Linear within ±Threshold and logarithmic beyond, for values that cross zero: the threshold
// takes the room of one power of the base on either side of zero, so 0, ±t, ±t·base, ±t·base²
// ... stand at equal steps.
class TWINSCOPE_EXPORT TSymLogTransform final : public TAxisTransform {
public:
    explicit TSymLogTransform(double threshold = 1, double base = 10);
    double Forward(double value) const override;
    double Inverse(double position) const override;
    bool StepsInPositions() const override { return true; }
    // Every power beyond the threshold and zero; at a step of n, zero and every n-th power
    // counted from the threshold.
    std::vector<double> PositionLabels(double minimum, double maximum,
                                       std::int64_t every) const override;
    std::vector<double> MinorValues(double low, double high, std::int32_t count) const override;
    double Threshold() const { return threshold_; }

private:
    double threshold_;
    double base_;
};

// A monotonic increasing pair the user gives (forward, and its inverse), over a domain.
class TWINSCOPE_EXPORT TFunctionTransform final : public TAxisTransform {
public:
    TFunctionTransform(std::function<double(double)> forward,
                       std::function<double(double)> inverse, TTransformDomain domain);
    double Forward(double value) const override { return forward_(value); }
    double Inverse(double position) const override { return inverse_(position); }
    TTransformDomain Domain() const override { return domain_; }

private:
    std::function<double(double)> forward_;
    std::function<double(double)> inverse_;
    TTransformDomain domain_;
};

// The linear transform, shared.
TWINSCOPE_EXPORT const TAxisTransform& LinearTransform();

}  // namespace twinscope
