#include "twinscope/runtime/Arithmetic.h"

#include <gtest/gtest.h>

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
