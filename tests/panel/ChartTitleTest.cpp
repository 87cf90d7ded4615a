#include <gtest/gtest.h>

#include <string>

#include "twinscope/chart/panel/ChartTitle.h"
#include "tests/support/Printers.h"

namespace twinscope {
namespace {

TEST(ChartTitleTest, DefaultsOfTitleAndFoot) {
    TChartTitle title({});
    TChartFootTitle foot({});
    EXPECT_TRUE(title.Visible());
    EXPECT_TRUE(title.Transparent());
    EXPECT_EQ(title.Alignment(), taCenter);
    EXPECT_TRUE(title.AdjustFrame());
    EXPECT_EQ(title.VertMargin(), 5);
    EXPECT_FALSE(title.CustomPosition());
    EXPECT_TRUE(title.Text().empty());
    EXPECT_EQ(title.Font().Name(), "Arial");
    EXPECT_EQ(title.Font().Size(), 8);
    EXPECT_EQ(title.Font().Color(), clBlue);
    EXPECT_FALSE(title.IsFoot());
    EXPECT_EQ(foot.Font().Color(), clRed);
    EXPECT_TRUE(foot.IsFoot());
}

struct PlaceTitleCase {
    const char* name;
    bool foot;
    std::int32_t frameWidth;  // a visible frame of this width
    TRect plot;
    std::int32_t borderThickness;
    std::int32_t controlWidth;
    TTitlePlacement expected;
};

class PlaceTitleTest : public ::testing::TestWithParam<PlaceTitleCase> {};

// Every row places a box of 36 x 12, the size of "TChart" in Arial 8.
TEST_P(PlaceTitleTest, CentredOnThePlotButNotLeftOfTwoPercent) {
    const PlaceTitleCase& c = GetParam();
    TChartTitle title({});
    TChartFootTitle foot({});
    TChartTitle& placed = c.foot ? foot : title;
    placed.Frame().SetWidth(c.frameWidth);
    EXPECT_EQ(PlaceTitle(placed, {36, 12}, c.plot, c.borderThickness, c.controlWidth), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlaceTitleTest,
    ::testing::Values(PlaceTitleCase{"WindowTitle",
                                     false,
                                     1,
                                     {126, 21, 964, 471},
                                     1,
                                     965,
                                     {{527, 21, 563, 33}, {126, 38, 964, 471}}},
                      // 1 + 2 % of 965 = 20.3: the box starts at 20, not at the centre 20 - 18.
                      PlaceTitleCase{"FarLeftPlotStartsAtTwoPercent",
                                     false,
                                     1,
                                     {0, 21, 40, 471},
                                     1,
                                     965,
                                     {{20, 21, 56, 33}, {0, 38, 40, 471}}},
                      PlaceTitleCase{"TwoPercentHalfRoundsDown",
                                     false,
                                     1,
                                     {0, 0, 10, 100},
                                     0,
                                     125,
                                     {{2, 0, 38, 12}, {0, 17, 10, 100}}},
                      PlaceTitleCase{"TwoPercentHalfRoundsUp",
                                     false,
                                     1,
                                     {0, 0, 10, 100},
                                     0,
                                     175,
                                     {{4, 0, 40, 12}, {0, 17, 10, 100}}},
                      PlaceTitleCase{"WideFrameKeepsHalfOutside",
                                     false,
                                     4,
                                     {126, 21, 964, 471},
                                     1,
                                     965,
                                     {{527, 23, 563, 35}, {126, 42, 964, 471}}},
                      PlaceTitleCase{"FootOnThePlotBottom",
                                     true,
                                     1,
                                     {126, 21, 964, 471},
                                     1,
                                     965,
                                     {{527, 459, 563, 471}, {126, 21, 964, 454}}},
                      PlaceTitleCase{"FootWithWideFrame",
                                     true,
                                     3,
                                     {126, 21, 964, 471},
                                     1,
                                     965,
                                     {{527, 458, 563, 470}, {126, 21, 964, 452}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
