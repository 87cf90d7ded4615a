#include "twinscope/runtime/Arithmetic.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace twinscope {
namespace {

TEST(Arithmetic, RoundsHalvesToEven) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(2.5000000000000004), 3);
    EXPECT_EQ(Round(Extended{2.5L}), 2);
    EXPECT_EQ(Round(1e300), INT64_MAX);
}

// The rounding must give exactly what the C library's nearbyint gives in the default rounding
// mode, the engine's rounding before the cheap one.
std::int64_t ReferenceRound(Extended x) {
    const Extended r = std::nearbyint(x);
    if (std::isnan(r)) return 0;
    if (r <= static_cast<Extended>(INT64_MIN)) return INT64_MIN;
    if (r >= static_cast<Extended>(INT64_MAX)) return INT64_MAX;
    return static_cast<std::int64_t>(r);
}

TEST(Arithmetic, RoundEqualsNearbyintOnHalvesAndExtremes) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double doubles[] = {0.0, -0.0, 0.49999999999999994, -0.49999999999999994, 0.5, -0.5,
                              1.5, -1.5, 32766.5, 32767.5, -32767.5, 0x1p51 + 0.5, 0x1p52 - 0.5,
                              0x1p52 + 1, -0x1p52 + 0.5, 0x1p53, 4503599627370495.5,
                              9.2233720368547748e18, -9.2233720368547758e18, 1e300, -1e300,
                              std::numeric_limits<double>::denorm_min(), inf, -inf,
                              std::numeric_limits<double>::quiet_NaN()};
    for (double x : doubles) {
        EXPECT_EQ(Round(x), ReferenceRound(x)) << x;
        EXPECT_EQ(Round(static_cast<Extended>(x)), ReferenceRound(x)) << x;
    }
    const Extended extendeds[] = {0x1p62L + 0.5L, 0x1p63L - 0.5L, -0x1p63L + 0.5L,
                                  0x1p61L + 1.5L, 2.5L + 0x1p-62L, -2.5L - 0x1p-62L,
                                  0.5L - 0x1p-65L, 1e4000L, -1e4000L};
    for (Extended x : extendeds)
        EXPECT_EQ(Round(x), ReferenceRound(x)) << static_cast<double>(x);
}

TEST(Arithmetic, RoundEqualsNearbyintOnRandomMillions) {
    std::mt19937_64 random(12);
    std::uniform_real_distribution<double> pixels(-40000, 40000);
    std::int64_t mismatches = 0;
    for (int i = 0; i < 2'000'000; ++i) {
        // Any bit pattern (every magnitude), pixel-sized values, and their exact halves.
        const double any = std::bit_cast<double>(random());
        const double pixel = pixels(random);
        const double half = std::floor(pixel) + 0.5;
        const Extended wide =
            static_cast<Extended>(pixel) + static_cast<Extended>(random() >> 11) * 0x1p-64L;
        for (double x : {any, pixel, half})
            mismatches += Round(x) != ReferenceRound(x);
        mismatches += Round(wide) != ReferenceRound(wide);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Arithmetic, TruncIntAndFracCutTowardZero) {
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(Extended{-0.9L}), 0);
    EXPECT_EQ(Int(-2.5), -2.0);
    EXPECT_EQ(Frac(-2.5), -0.5);
    EXPECT_EQ(Frac(3.25), 0.25);
}

struct SameValueCase {
    const char* name;
    double a;
    double b;
    bool same;
};

constexpr SameValueCase kSameValueCases[] = {
    {"AbsoluteToleranceReached", 0.0, 1e-12, true},
    {"AbsoluteToleranceExceeded", 0.0, 1.1e-12, false},
    {"AcrossZero", -1e-13, 1e-13, true},
    {"RelativeToleranceOfMillion", 1e6, 1e6 + 5e-7, true},
    {"RelativeToleranceOfMillionExceeded", 1e6, 1e6 + 2e-6, false},
    {"SmallerMagnitudeSetsTolerance", 1e6, -1e6, false},
};

class SameValueTest : public testing::TestWithParam<SameValueCase> {};

TEST_P(SameValueTest, ComparesWithinTolerance) {
    EXPECT_EQ(SameValue(GetParam().a, GetParam().b), GetParam().same);
    EXPECT_EQ(SameValue(GetParam().b, GetParam().a), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Arithmetic, SameValueTest, testing::ValuesIn(kSameValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
