#include "twinscope/chart/axes/LabelValues.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "twinscope/runtime/DateTime.h"

namespace twinscope {

namespace {
constexpr double SmallestPositive = std::numeric_limits<double>::denorm_min();
constexpr Extended MaxSteppedValue = 1.7e308;
// Powers of the base computed a hair off an end of the range still label that end.
constexpr double PowerTolerance = 1e-12;
// The rungs inside each power of the base, from the top.
constexpr std::array<double, 2> Rungs{5, 2};

// A quotient this close to a whole number of steps, relative to it, is that number: the double
// nearest a decimal increment is a hair off it (0.2 is a little more than 0.2), so 1 / 0.2
// comes out a hair below 5. Capped at a thousandth of a step, so that no other value snaps.
constexpr Extended WholeStepTolerance = 1e-12;
constexpr Extended WholeStepCap = 1e-3;

// The whole number of steps in a quotient: the nearest one within the tolerance, else the
// quotient rounded by `round` (trunc or floor).
template <typename Round>
Extended WholeSteps(Extended quotient, Round round) {
    const Extended nearest = RoundToIntegral(quotient);
    const Extended tolerance =
        std::min(std::fabs(nearest) * WholeStepTolerance, WholeStepCap);
    return std::fabs(quotient - nearest) <= tolerance ? nearest : round(quotient);
}

bool Near(double v, double end) {
    return std::fabs(v - end) <= std::fabs(end) * PowerTolerance;
}

Extended LogOf(double v, double base) {
    return std::log(static_cast<Extended>(v)) / std::log(static_cast<Extended>(base));
}

// The multiples of a power that are labels, from the top.
std::vector<double> MultiplesOf(const TLabelValuesInput& in, std::int64_t step) {
    std::vector<double> multiples;
    if (in.Rungs && step == 1) {
        for (const double rung : Rungs) {
            if (rung < in.LogBase) multiples.push_back(rung);
        }
    }
    multiples.push_back(1);
    return multiples;
}
}  // namespace

TLabelValues::TLabelValues(const TLabelValuesInput& input) : in_(input) {
    if (in_.Powers) {
        first_ = PowerEnd(true);
        return;
    }
    const double increment = in_.Increment;
    const double minimum = in_.Range.Minimum;
    const double maximum = in_.Range.Maximum;
    const bool exactDates = in_.DateTime && in_.ExactDateTime;
    const std::int32_t stepIndex = in_.StepIndex;
    double v;
    if (exactDates && stepIndex != NoDateTimeStep && stepIndex >= dtOneDay) {
        v = RoundToDateTimeStep(stepIndex, maximum);
    } else if (SameValue(minimum, maximum) || !in_.RoundFirst) {
        v = maximum;
    } else {
        // Whole-valued in extended precision: a quotient beyond 64-bit integers stays as it is
        // instead of saturating.
        const Extended steps = WholeSteps(static_cast<Extended>(maximum) / increment,
                                          [](Extended q) { return std::trunc(q); });
        v = static_cast<double>(steps * increment);
        // The nearest multiple may lie a hair above the maximum: it labels the maximum.
        if (v > maximum && std::fabs(v - maximum) <= std::fabs(increment) * WholeStepCap) {
            v = maximum;
        }
    }
    calendarStepping_ = exactDates && stepIndex >= dtHalfMonth;
    // A first value above the maximum (a negative maximum, a calendar boundary above it) moves
    // down into the range.
    while (v > maximum) {
        if (!StepDown(v)) break;
    }
    first_ = v;
}

bool TLabelValues::HairBelow(double v, double end) const {
    return !in_.DateTime && end - static_cast<Extended>(v) <= in_.Increment * WholeStepCap;
}

bool TLabelValues::Labels(double v) const {
    return !in_.DateTime || IsCalendarValue(v);
}

bool TLabelValues::StepDown(double& v) const {
    if (calendarStepping_) {
        const double next = StepDateTimeDown(v, in_.Increment, in_.StepIndex);
        const bool moved = !SameValue(next, v);
        v = next;
        return moved;
    }
    const Extended next = static_cast<Extended>(v) - in_.Increment;
    if (std::fabs(next) > MaxSteppedValue) return false;
    v = static_cast<double>(next);
    return true;
}

std::vector<double> TLabelValues::All() const {
    if (in_.Calendar != calNone) return CalendarLabelValues(in_.Calendar, in_.Range, in_.Increment);
    if (in_.Powers) return AllPowers();
    if (std::fabs(in_.Range.Maximum - static_cast<Extended>(in_.Range.Minimum)) / in_.Increment >=
        MaxLabelsPerPass) {
        return {};
    }
    return Leading(MaxLabelsPerPass);
}

std::vector<double> TLabelValues::Leading(std::size_t most) const {
    if (in_.Calendar != calNone) {
        std::vector<double> values = All();
        if (values.size() > most) values.resize(most);
        return values;
    }
    if (in_.Powers) {
        std::vector<double> values = AllPowers();
        if (values.size() > most) values.resize(most);
        return values;
    }
    std::vector<double> values;
    double v = first_;
    if (in_.RangeIsZero) {
        if (Labels(v)) values.push_back(v);
        return values;
    }
    // A minimum of 0 is reached even when the steps land a hair below it.
    const double minimum = in_.Range.Minimum;
    const Extended low = minimum < 0 ? static_cast<Extended>(minimum)
                                     : (minimum - static_cast<Extended>(SmallestPositive)) /
                                           (1 + static_cast<Extended>(SmallestPositive));
    bool stepped = true;
    while (v >= low && values.size() < most) {
        const double old = v;
        if (Labels(v)) values.push_back(v);
        stepped = StepDown(v) && v < old;
        if (!stepped) break;
    }
    // Steps of a decimal increment gather error on the way down: one that lands a hair below
    // the minimum labels the minimum.
    if (stepped && values.size() < most && v < low && HairBelow(v, minimum) && Labels(minimum)) {
        values.push_back(minimum);
    }
    return values;
}

std::int64_t TLabelValues::PowerStep() const {
    return static_cast<std::int64_t>(std::max(1.0, std::round(in_.Increment)));
}

// The labels are m x base^k for the multiples m of each power k that is a multiple of the step,
// within the range; a power computed a hair off an end of the range is that end.
double TLabelValues::PowerLabel(std::int64_t k, double multiple) const {
    const double v = multiple * std::pow(in_.LogBase, static_cast<double>(k));
    if (Near(v, in_.Range.Maximum)) return in_.Range.Maximum;
    if (Near(v, in_.Range.Minimum)) return in_.Range.Minimum;
    return v;
}

bool TLabelValues::InRange(double v) const {
    return v >= in_.Range.Minimum && v <= in_.Range.Maximum;
}

double TLabelValues::PowerEnd(bool top) const {
    if (in_.Positions) {
        const std::vector<double> values = AllPowers();
        if (values.empty()) return top ? in_.Range.Maximum : in_.Range.Minimum;
        return top ? values.front() : values.back();
    }
    const double minimum = in_.Range.Minimum;
    const double maximum = in_.Range.Maximum;
    if (!(minimum > 0) || !(maximum >= minimum) || !(in_.LogBase > 1)) {
        return top ? maximum : minimum;
    }
    const std::int64_t step = PowerStep();
    std::vector<double> multiples = MultiplesOf(in_, step);
    // From the power at or below the end inwards: the rungs of the top power may lie above the
    // maximum, the power below the minimum may have rungs inside it.
    const auto aligned = [&](std::int64_t k, bool down) {
        const std::int64_t rest = ((k % step) + step) % step;
        return rest == 0 ? k : down ? k - rest : k + step - rest;
    };
    if (top) {
        std::int64_t k = aligned(
            static_cast<std::int64_t>(std::floor(LogOf(maximum, in_.LogBase) + 1e-9)), true);
        for (int tries = 0; tries < 2; ++tries, k -= step) {
            for (const double m : multiples) {
                const double v = PowerLabel(k, m);
                if (InRange(v)) return v;
            }
        }
        return maximum;
    }
    std::reverse(multiples.begin(), multiples.end());
    std::int64_t k = aligned(
        static_cast<std::int64_t>(std::floor(LogOf(minimum, in_.LogBase) - 1e-9)), step == 1);
    for (int tries = 0; tries < 3; ++tries, k += step) {
        for (const double m : multiples) {
            const double v = PowerLabel(k, m);
            if (InRange(v)) return v;
        }
    }
    return minimum;
}

std::vector<double> TLabelValues::AllPowers() const {
    if (in_.Positions) {
        return in_.Positions->PositionLabels(in_.Range.Minimum, in_.Range.Maximum, PowerStep());
    }
    std::vector<double> values;
    const double minimum = in_.Range.Minimum;
    const double maximum = in_.Range.Maximum;
    if (!(minimum > 0) || !(maximum >= minimum) || !(in_.LogBase > 1)) return values;
    const std::int64_t step = PowerStep();
    const std::vector<double> multiples = MultiplesOf(in_, step);
    const std::int64_t top =
        static_cast<std::int64_t>(std::floor(LogOf(maximum, in_.LogBase) + 1e-9));
    const std::int64_t bottom =
        static_cast<std::int64_t>(std::floor(LogOf(minimum, in_.LogBase) - 1e-9));
    for (std::int64_t k = top - ((top % step) + step) % step;
         k >= bottom && values.size() < MaxLabelsPerPass; k -= step) {
        for (const double m : multiples) {
            const double v = PowerLabel(k, m);
            if (InRange(v)) values.push_back(v);
        }
    }
    return values;
}

double TLabelValues::Last() const {
    if (in_.Powers) return PowerEnd(false);
    if (in_.RangeIsZero || !(in_.Increment > 0)) return first_;
    const double minimum = in_.Range.Minimum;
    if (calendarStepping_) {
        double v = first_;
        for (std::int32_t i = 0; i < MaxLabelsPerPass; ++i) {
            double next = v;
            if (!StepDown(next) || next < minimum || next >= v) break;
            v = next;
        }
        return v;
    }
    // The lowest value a whole number of steps below the first that does not lie below the
    // minimum.
    const Extended steps = WholeSteps((first_ - static_cast<Extended>(minimum)) / in_.Increment,
                                      [](Extended q) { return std::floor(q); });
    if (!(steps > 0)) return first_;
    const double last = static_cast<double>(first_ - steps * in_.Increment);
    return last < minimum && HairBelow(last, minimum) ? minimum : last;
}

double TLabelValues::PositionStepped(double v, double steps) const {
    const TAxisTransform& t = *in_.Positions;
    return t.Inverse(t.Forward(v) + steps * static_cast<double>(PowerStep()));
}

double TLabelValues::Below(double v) const {
    if (in_.Positions) return PositionStepped(v, -1);
    if (in_.Powers) return v / std::pow(in_.LogBase, static_cast<double>(PowerStep()));
    return static_cast<double>(static_cast<Extended>(v) - in_.Increment);
}

double TLabelValues::Above(double v) const {
    if (in_.Positions) return PositionStepped(v, 1);
    if (in_.Powers) return v * std::pow(in_.LogBase, static_cast<double>(PowerStep()));
    return static_cast<double>(static_cast<Extended>(v) + in_.Increment);
}

}  // namespace twinscope
