#include "twinscope/chart/axes/ScaleMap.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace twinscope {
namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

struct PixelRow {
    const char* name;
    TScaleKind kind;
    TScaleRange range;
    TScaleDirection direction;
    double value;
    std::int32_t pixel;
};

class PixelRows : public ::testing::TestWithParam<PixelRow> {};

// Over the pixels 0..600: a horizontal map grows to the right, a vertical one upwards.
TEST_P(PixelRows, ToPixel) {
    const PixelRow& r = GetParam();
    const TScaleMap map(r.range, {0, 600}, r.direction, r.kind);
    EXPECT_EQ(map.ToPixel(r.value), r.pixel);
}

constexpr TScaleDirection Across{true, false};
constexpr TScaleDirection Up{false, false};
constexpr TScaleDirection Down{false, true};

INSTANTIATE_TEST_SUITE_P(
    Rows, PixelRows,
    ::testing::Values(
        // clang-format off
        PixelRow{"LinearHalfPixelRoundsToEven", skLinear, {0, 1200}, Across, 5, 2},
        PixelRow{"LinearUpwards", skLinear, {0, 600}, Up, 150, 450},
        PixelRow{"LinearInverted", skLinear, {0, 600}, Down, 150, 150},
        PixelRow{"LinearNotANumberIsZero", skLinear, {0, 600}, Across, NotANumber, 0},
        PixelRow{"LinearInfinityClamps", skLinear, {0, 600}, Across, -Infinity, -32767},
        PixelRow{"LinearZeroRangeIsTheCentre", skLinear, {7, 7}, Across, 1e9, 300},
        PixelRow{"LinearWholeDoubleRange", skLinear, {-1e308, 1e308}, Across, 1e308, 600},
        PixelRow{"LogPowersTakeEqualRoom", skLogarithmic, {1, 1e6}, Across, 1e2, 200},
        PixelRow{"LogTopPower", skLogarithmic, {1, 1e6}, Across, 1e6, 600},
        PixelRow{"LogUpwards", skLogarithmic, {1, 1e6}, Up, 1e4, 200},
        PixelRow{"LogInverted", skLogarithmic, {1, 1e6}, Down, 1e4, 400},
        PixelRow{"LogBetweenPowers", skLogarithmic, {1, 100}, Across, 10, 300},
        PixelRow{"LogZeroLiesBeyondTheMinimum", skLogarithmic, {1, 1e6}, Across, 0, -32767},
        PixelRow{"LogNegativeLiesBeyondTheMinimumUpwards", skLogarithmic, {1, 1e6}, Up, -5, 32767},
        PixelRow{"LogNotANumberIsZero", skLogarithmic, {1, 1e6}, Across, NotANumber, 0},
        PixelRow{"LogWholeDoubleExponents", skLogarithmic, {1e-300, 1e300}, Across, 1, 300},
        PixelRow{"LogTinyRange", skLogarithmic, {1e-300, 1e-294}, Across, 1e-297, 300},
        PixelRow{"LogOfARangeThroughZeroIsLinear", skLogarithmic, {0, 600}, Across, 150, 150},
        PixelRow{"LogEqualEndsAreTheCentre", skLogarithmic, {5, 5}, Across, 5, 300}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleMap, AtOrBelowZeroARangeHasNoLogarithm) {
    EXPECT_EQ(TScaleMap({0, 10}, {0, 600}, Across, skLogarithmic).Kind(), skLinear);
    EXPECT_EQ(TScaleMap({-1, 10}, {0, 600}, Across, skLogarithmic).Kind(), skLinear);
    const TScaleMap map({0, 10}, {0, 600}, Across, skLogarithmic);
    // Given a range above zero, the same map is logarithmic again.
    EXPECT_EQ(map.WithRange({1, 10}).Kind(), skLogarithmic);
    EXPECT_EQ(map.WithRange({1, 10}).OnPixels({0, 100}).Kind(), skLogarithmic);
}

// Every pixel of a logarithmic axis maps to a value that maps back to it.
TEST(ScaleMap, ToValueInvertsToPixel) {
    for (const TScaleRange range :
         {TScaleRange{1, 1e6}, TScaleRange{1e-300, 1e300}, TScaleRange{0.5, 0.75}}) {
        for (const TScaleDirection direction : {Across, Up, Down}) {
            const TScaleMap map(range, {20, 620}, direction, skLogarithmic);
            for (std::int32_t p = 20; p <= 620; ++p)
                ASSERT_EQ(map.ToPixel(map.ToValue(p)), p) << range.Maximum << " " << p;
        }
    }
    EXPECT_EQ(TScaleMap({1, 1e6}, {0, 0}, Across, skLogarithmic).ToValue(0), 0);
}

struct ScrollRow {
    const char* name;
    TScaleKind kind;
    TScaleRange range;
    std::int64_t from, to;
    TScaleRange scrolled;
};

class ScrollRows : public ::testing::TestWithParam<ScrollRow> {};

// Dragging the content from one pixel to another on a horizontal axis over 0..600.
TEST_P(ScrollRows, Scrolled) {
    const ScrollRow& r = GetParam();
    const TScaleMap map(r.range, {0, 600}, Across, r.kind);
    const TScaleRange scrolled = map.Scrolled(r.range, r.from, r.to);
    EXPECT_DOUBLE_EQ(scrolled.Minimum, r.scrolled.Minimum);
    EXPECT_DOUBLE_EQ(scrolled.Maximum, r.scrolled.Maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScrollRows,
    ::testing::Values(
        // clang-format off
        ScrollRow{"LinearByADifference", skLinear, {0, 600}, 300, 200, {100, 700}},
        ScrollRow{"LinearEndsStayWithinTheDoubles", skLinear, {0, 1.7e308}, 600, 0,
                  {1.7e308, 1.7e308}},
        ScrollRow{"LogByARatio", skLogarithmic, {1, 1e6}, 300, 200, {10, 1e7}},
        ScrollRow{"LogBackwards", skLogarithmic, {1, 1e6}, 200, 400, {0.01, 1e4}},
        // Far beyond the axis the ratio is too large for a double: the range stays.
        ScrollRow{"LogBeyondTheDoublesStays", skLogarithmic, {1, 1e6}, 0, -2147483648LL,
                  {1, 1e6}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

// A mouse position far outside the axis is taken in 64 bits: the content still moves with it.
TEST(ScaleMap, AScrollToTheFarthestPixelMovesTheRightWay) {
    const TScaleMap map({0, 100}, {100, 700}, Across);
    const TScaleRange scrolled = map.Scrolled({0, 100}, 400, INT32_MIN);
    EXPECT_GT(scrolled.Minimum, 0);
    EXPECT_DOUBLE_EQ(scrolled.Maximum - scrolled.Minimum, 100);
}

}  // namespace
}  // namespace twinscope
