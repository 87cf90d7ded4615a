#include <cmath>
#include <limits>
#include <string>

#include "twinscope/scales/ScaleManager.h"
#include "tests/support/ChartFixture.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

struct IncrementCase {
    const char* name;
    double minimum, maximum;
    double increment;
};

class NiceIncrementTest : public ChartFixture,
                          public ::testing::WithParamInterface<IncrementCase> {};

TEST_P(NiceIncrementTest, TakesTheLargestRungBelowAFifthOfTheRange) {
    const IncrementCase& c = GetParam();
    TChartAxis& axis = chart.LeftAxis();
    chart.BeginLoading();  // lets a row store an inverted range
    axis.SetMinimum(c.minimum);
    axis.SetMaximum(c.maximum);
    chart.EndLoading();
    SetNiceIncrement(axis);
    EXPECT_EQ(axis.Increment(), c.increment);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NiceIncrementTest,
    ::testing::Values(
        // 20 is not below 100 / 5 = 20.
        IncrementCase{"Range100", 0, 100, 10},
        IncrementCase{"CelsiusRange55_56", -17.777777777777779, 37.777777777777779, 10},
        IncrementCase{"SixtyDays", 45505.60522789352, 45565.60543462963, 10},
        IncrementCase{"Range101", 0, 101, 20}, IncrementCase{"Range3", 0, 3, 0.5},
        IncrementCase{"CelsiusOf40To80", 4.4444444444444446, 26.666666666666668, 2},
        IncrementCase{"DayOfYear1To366", 1, 366, 50},
        IncrementCase{"FifthJustAboveFirstRung", 0, 0.00050001, 0.0001},
        IncrementCase{"Range0_0005KeepsTen", 0, 0.0005, 10},
        IncrementCase{"Range0_0004KeepsTen", 0, 0.0004, 10},
        IncrementCase{"ZeroRangeKeepsTen", 40, 40, 10},
        IncrementCase{"InvertedRangeKeepsTen", 50, 40, 10}),
    [](const auto& info) { return std::string(info.param.name); });

// Up to 2e24 every rung is the double nearest to 1, 2 or 5 times a power of ten.
TEST_F(ChartFixture, RungsAreTheNearestDoublesUpTo2e24) {
    TChartAxis& axis = chart.LeftAxis();
    for (int exponent = -4; exponent <= 24; ++exponent) {
        for (const char* mantissa : {"1", "2", "5"}) {
            const std::string text = std::string(mantissa) + "e" + std::to_string(exponent);
            const double rung = std::stod(text);
            if (rung > 2e24) continue;
            axis.SetMaximum(rung * 5 * (1 + 1e-9));
            axis.SetMinimum(0);
            SetNiceIncrement(axis);
            EXPECT_EQ(axis.Increment(), rung) << text;
        }
    }
}

TEST_F(ChartFixture, EveryRungIsWrittenAndFewerThanAThousandNearTheLargestDouble) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMaximum(100);
    // 0 -> 10, then the sixteen rungs 0.0001 ... 5, 10: each write changes the increment.
    EXPECT_EQ(RepaintsDuring([&] { SetNiceIncrement(axis); }), 17);
    EXPECT_EQ(axis.Increment(), 10);

    axis.SetMaximum(std::numeric_limits<double>::max());
    axis.SetMinimum(-8.5e307);
    const int writes = RepaintsDuring([&] { SetNiceIncrement(axis); });
    EXPECT_LT(writes, 1000);
    EXPECT_GT(writes, 900);
    EXPECT_TRUE(std::isfinite(axis.Increment()));
    EXPECT_LT(axis.Increment(), (axis.Maximum() - axis.Minimum()) / 5);

    // A range too wide for a double: the fifth is infinite and the ladder runs to its top.
    axis.SetMinimum(-std::numeric_limits<double>::max());
    EXPECT_LT(RepaintsDuring([&] { SetNiceIncrement(axis); }), 1000);
    EXPECT_TRUE(std::isfinite(axis.Increment()));
}

}  // namespace
}  // namespace twinscope
