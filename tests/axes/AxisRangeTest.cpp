#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

constexpr const char* kMinAboveMax = "Axis Minimum Value must be <= Maximum";
constexpr const char* kMaxBelowMin = "Axis Maximum Value must be >= Minimum";
constexpr const char* kNegativeIncrement = "Axis increment must be >= 0";
constexpr const char* kMinNotFinite = "Axis Minimum Value must be a finite number";
constexpr const char* kMaxNotFinite = "Axis Maximum Value must be a finite number";
constexpr double kInf = std::numeric_limits<double>::infinity();

struct RangeStep {
    enum Setter { Min, Max } setter;
    double value;
};

struct RangeCase {
    const char* name;
    std::vector<RangeStep> steps;
    const char* error;  // message of the last step's exception, or nullptr
    double minimum, maximum;
};

class AxisRangeTest : public ChartFixture, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(AxisRangeTest, SettersKeepMinimumAtMostMaximum) {
    const RangeCase& c = GetParam();
    TChartAxis& axis = chart.LeftAxis();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const RangeStep& s = c.steps[i];
        auto apply = [&] {
            s.setter == RangeStep::Min ? axis.SetMinimum(s.value) : axis.SetMaximum(s.value);
        };
        if (i + 1 == c.steps.size() && c.error) {
            EXPECT_THROW_MSG(apply(), AxisException, c.error);
        } else {
            apply();
        }
    }
    EXPECT_EQ(axis.Minimum(), c.minimum);
    EXPECT_EQ(axis.Maximum(), c.maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AxisRangeTest,
    ::testing::Values(
        RangeCase{
            "MaximumFirstThenMinimum", {{RangeStep::Max, 5}, {RangeStep::Min, 2}}, nullptr, 2, 5},
        RangeCase{"MinimumFirstIsRefused", {{RangeStep::Min, 2}}, kMinAboveMax, 0, 0},
        RangeCase{
            "MinimumEqualToMaximum", {{RangeStep::Max, 5}, {RangeStep::Min, 5}}, nullptr, 5, 5},
        RangeCase{"MaximumBelowMinimumIsRefused",
                  {{RangeStep::Max, 5}, {RangeStep::Min, 2}, {RangeStep::Max, 1}},
                  kMaxBelowMin,
                  2,
                  5},
        RangeCase{"NegativeRange", {{RangeStep::Min, -10}, {RangeStep::Max, -3}}, nullptr, -10, -3},
        RangeCase{"NaNMinimumIsRefused",
                  {{RangeStep::Max, 5}, {RangeStep::Min, std::nan("")}},
                  kMinNotFinite,
                  0,
                  5},
        RangeCase{"NaNMaximumIsRefused", {{RangeStep::Max, std::nan("")}}, kMaxNotFinite, 0, 0},
        RangeCase{"InfiniteMaximumIsRefused", {{RangeStep::Max, kInf}}, kMaxNotFinite, 0, 0},
        RangeCase{"InfiniteMinimumIsRefused", {{RangeStep::Min, -kInf}}, kMinNotFinite, 0, 0},
        RangeCase{"DisjointMoveNeedsSafeOrder",
                  {{RangeStep::Max, 5}, {RangeStep::Min, 2}, {RangeStep::Min, 10}},
                  kMinAboveMax,
                  2,
                  5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, IncrementRefusesNegativeAndNaN) {
    TChartAxis& axis = chart.BottomAxis();
    axis.SetIncrement(0);
    axis.SetIncrement(2.5);
    EXPECT_THROW_MSG(axis.SetIncrement(-1), AxisException, kNegativeIncrement);
    EXPECT_THROW_MSG(axis.SetIncrement(std::nan("")), AxisException, kNegativeIncrement);
    EXPECT_THROW_MSG(axis.SetIncrement(-std::numeric_limits<double>::infinity()), AxisException,
                     kNegativeIncrement);
    EXPECT_EQ(axis.Increment(), 2.5);
}

TEST_F(ChartFixture, RangeChangesRepaintOnlyWhenTheValueChanges) {
    TChartAxis& axis = chart.LeftAxis();
    EXPECT_EQ(RepaintsDuring([&] { axis.SetMaximum(5); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { axis.SetMaximum(5); }), 0);
    EXPECT_EQ(RepaintsDuring([&] { axis.SetMinimum(0); }), 0);
    EXPECT_EQ(RepaintsDuring([&] { axis.SetIncrement(0); }), 0);
    EXPECT_EQ(RepaintsDuring([&] { axis.SetIncrement(1); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { EXPECT_THROW(axis.SetMinimum(6), AxisException); }), 0);
}

// The event is the user's: the layout raises it once per paint, with the range finally shown
// (here widened by the offsets), after everything is decided and before anything is drawn.
TEST_F(ChartFixture, RangeChangedReportsTheRangeAPaintShows) {
    TChartAxis& axis = chart.LeftAxis();
    std::vector<std::pair<double, double>> shown;
    axis.OnCurrentRangeChanged = [&](TChartAxis&, const TScaleRange& range) {
        shown.emplace_back(range.Minimum, range.Maximum);
    };
    axis.SetAutomatic(false);
    axis.SetMinMax(10, 90);  // a setting, not a range shown
    EXPECT_TRUE(shown.empty());
    axis.SetMinimumOffset(10);
    axis.SetMaximumOffset(10);
    TRecordingCanvas measure;
    chart.LayOut(&measure, {0, 0, 400, 250});
    const TScaleRange final = chart.ScaleMapOf(axis).Range();
    EXPECT_LT(final.Minimum, 10);
    EXPECT_GT(final.Maximum, 90);
    EXPECT_EQ(shown, (std::vector<std::pair<double, double>>{{final.Minimum, final.Maximum}}));
}

struct PlainSetterCase {
    const char* name;
    std::function<void(TChartAxis&)> setToNewValue;
};

class PlainSetterTest : public ChartFixture,
                        public ::testing::WithParamInterface<PlainSetterCase> {};

TEST_P(PlainSetterTest, RepaintsOnceOnChangeAndNotAgain) {
    TChartAxis& axis = chart.CustomAxes().Add();
    EXPECT_EQ(RepaintsDuring([&] { GetParam().setToNewValue(axis); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { GetParam().setToNewValue(axis); }), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainSetterTest,
    ::testing::Values(
        PlainSetterCase{"Visible", [](TChartAxis& a) { a.SetVisible(false); }},
        PlainSetterCase{"OtherSide", [](TChartAxis& a) { a.SetOtherSide(true); }},
        PlainSetterCase{"PositionPercent", [](TChartAxis& a) { a.SetPositionPercent(-12); }},
        PlainSetterCase{"PositionUnits", [](TChartAxis& a) { a.SetPositionUnits(muPixels); }},
        PlainSetterCase{"StartPosition", [](TChartAxis& a) { a.SetStartPosition(10); }},
        PlainSetterCase{"EndPosition", [](TChartAxis& a) { a.SetEndPosition(90); }},
        PlainSetterCase{"LabelsSize", [](TChartAxis& a) { a.SetLabelsSize(8); }},
        PlainSetterCase{"TitleSize", [](TChartAxis& a) { a.SetTitleSize(20); }},
        PlainSetterCase{"Horizontal", [](TChartAxis& a) { a.SetHorizontal(true); }},
        PlainSetterCase{"Inverted", [](TChartAxis& a) { a.SetInverted(true); }},
        PlainSetterCase{"AxisValuesFormat", [](TChartAxis& a) { a.SetAxisValuesFormat("0.0"); }},
        PlainSetterCase{"GridPenVisible", [](TChartAxis& a) { a.Grid().SetVisible(false); }},
        PlainSetterCase{"AxisPenColor", [](TChartAxis& a) { a.Axis().SetColor(clBlue); }},
        PlainSetterCase{"LabelsFontSize", [](TChartAxis& a) { a.LabelsFont().SetSize(12); }},
        PlainSetterCase{"TitleCaption", [](TChartAxis& a) { a.Title().SetCaption("°C"); }},
        PlainSetterCase{"TitleFontStyle", [](TChartAxis& a) { a.Title().Font().SetStyle(fsBold); }},
        PlainSetterCase{"AutomaticMinimum", [](TChartAxis& a) { a.SetAutomaticMinimum(false); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct AutomaticCase {
    const char* name;
    std::function<void(TChartAxis&)> action;
    bool automatic, automaticMinimum, automaticMaximum;
};

class AutomaticFlagsTest : public ChartFixture,
                           public ::testing::WithParamInterface<AutomaticCase> {};

TEST_P(AutomaticFlagsTest, FlagsFollowEachOther) {
    TChartAxis& axis = chart.LeftAxis();
    GetParam().action(axis);
    EXPECT_EQ(axis.Automatic(), GetParam().automatic);
    EXPECT_EQ(axis.AutomaticMinimum(), GetParam().automaticMinimum);
    EXPECT_EQ(axis.AutomaticMaximum(), GetParam().automaticMaximum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AutomaticFlagsTest,
    ::testing::Values(AutomaticCase{"Defaults", [](TChartAxis&) {}, true, true, true},
                      AutomaticCase{"MinimumOffClearsAutomatic",
                                    [](TChartAxis& a) { a.SetAutomaticMinimum(false); }, false,
                                    false, true},
                      AutomaticCase{"MinimumBackOnWithMaximumOn",
                                    [](TChartAxis& a) {
                                        a.SetAutomaticMinimum(false);
                                        a.SetAutomaticMinimum(true);
                                    },
                                    true, true, true},
                      AutomaticCase{"MinimumBackOnWithMaximumOff",
                                    [](TChartAxis& a) {
                                        a.SetAutomaticMaximum(false);
                                        a.SetAutomaticMinimum(false);
                                        a.SetAutomaticMinimum(true);
                                    },
                                    false, true, false},
                      AutomaticCase{"AutomaticOffWritesBothEnds",
                                    [](TChartAxis& a) { a.SetAutomatic(false); }, false, false,
                                    false},
                      AutomaticCase{"AutomaticOnWritesBothEnds",
                                    [](TChartAxis& a) {
                                        a.SetAutomaticMaximum(false);
                                        a.SetAutomatic(true);
                                    },
                                    true, true, true},
                      AutomaticCase{"SetMinMaxTurnsEveryFlagOff",
                                    [](TChartAxis& a) { a.SetMinMax(40, 100); }, false, false,
                                    false},
                      AutomaticCase{"SetMinMaxTurnsTheRemainingEndOff",
                                    [](TChartAxis& a) {
                                        a.SetAutomaticMinimum(false);
                                        a.SetMinMax(40, 100);
                                    },
                                    false, false, false},
                      AutomaticCase{"ARefusedSetMinMaxKeepsTheFlags",
                                    [](TChartAxis& a) {
                                        EXPECT_THROW(a.SetMinMax(100, 40), AxisException);
                                    },
                                    true, true, true},
                      AutomaticCase{"ScaleOrderAllOff",
                                    [](TChartAxis& a) {
                                        a.SetAutomatic(false);
                                        a.SetAutomaticMaximum(false);
                                        a.SetAutomaticMinimum(false);
                                    },
                                    false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, LoadingSkipsRangeChecksAndKeepsStoredAutomaticFlags) {
    TChartAxis& axis = chart.LeftAxis();
    chart.BeginLoading();
    axis.SetAutomaticMinimum(false);
    axis.SetAutomatic(true);  // a stored Automatic read before the others must not overwrite
    axis.SetMinimum(40);      // above the default Maximum of 0
    axis.SetMaximum(80);
    chart.EndLoading();
    EXPECT_TRUE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_EQ(axis.Minimum(), 40);
    EXPECT_EQ(axis.Maximum(), 80);
    EXPECT_THROW_MSG(axis.SetMinimum(90), AxisException, kMinAboveMax);
}

TEST_F(ChartFixture, StandardAxesInTheirFixedOrder) {
    const auto& axes = chart.Axes();
    ASSERT_EQ(axes.size(), 6u);
    EXPECT_EQ(axes[0], &chart.BottomAxis());
    EXPECT_EQ(axes[1], &chart.TopAxis());
    EXPECT_EQ(axes[2], &chart.LeftAxis());
    EXPECT_EQ(axes[3], &chart.RightAxis());
    EXPECT_EQ(axes[4], &chart.DepthAxis());
    EXPECT_EQ(axes[5], &chart.DepthTopAxis());
    EXPECT_TRUE(chart.BottomAxis().Horizontal());
    EXPECT_TRUE(chart.TopAxis().Horizontal() && chart.TopAxis().OtherSide());
    EXPECT_FALSE(chart.LeftAxis().Horizontal() || chart.LeftAxis().OtherSide());
    EXPECT_TRUE(chart.RightAxis().OtherSide());
    EXPECT_EQ(chart.TopAxis().ZPosition(), 100);
    EXPECT_EQ(chart.RightAxis().ZPosition(), 100);
    EXPECT_EQ(chart.LeftAxis().ZPosition(), 0);
    EXPECT_FALSE(chart.DepthAxis().Visible());
    EXPECT_TRUE(chart.DepthAxis().IsDepthAxis());
    for (TChartAxis* axis : axes)
        EXPECT_TRUE(axis->TakesPlotSpace());
    EXPECT_EQ(chart.CustomAxes().Count(), 0u);
}

TEST_F(ChartFixture, CustomAxesFollowTheStandardAxesAndLeaveWhenFreed) {
    TChartAxis& first = chart.CustomAxes().Add();
    TChartAxis& second = chart.CustomAxes().Add();
    ASSERT_EQ(chart.Axes().size(), 8u);
    EXPECT_EQ(chart.Axes()[6], &first);
    EXPECT_EQ(chart.Axes()[7], &second);
    EXPECT_FALSE(first.TakesPlotSpace());
    EXPECT_EQ(chart.CustomAxes().IndexOf(second), 1);

    chart.CustomAxes().Remove(first);
    ASSERT_EQ(chart.Axes().size(), 7u);
    EXPECT_EQ(chart.Axes()[6], &second);
    EXPECT_EQ(chart.CustomAxes().Count(), 1u);
    EXPECT_EQ(chart.CustomAxes().IndexOf(second), 0);
}

TEST_F(ChartFixture, CustomAxisIndexOutsideTheCollection) {
    chart.CustomAxes().Add();
    EXPECT_THROW_MSG(chart.CustomAxes().Items(1), ListIndexError, "List index out of bounds (1)");
    EXPECT_THROW_MSG(chart.CustomAxes().Delete(-1), ListIndexError,
                     "List index out of bounds (-1)");
    EXPECT_EQ(chart.CustomAxes().Count(), 1u);
}

TEST_F(ChartFixture, CustomAxisDefaults) {
    TChartAxis& axis = chart.CustomAxes().Add();
    EXPECT_EQ(axis.Minimum(), 0);
    EXPECT_EQ(axis.Maximum(), 0);
    EXPECT_EQ(axis.Increment(), 0);
    EXPECT_TRUE(axis.Automatic());
    EXPECT_EQ(axis.AxisValuesFormat(), "#,##0.###");
    EXPECT_EQ(axis.DateTimeFormat(), "");
    EXPECT_TRUE(axis.ExactDateTime());
    EXPECT_EQ(axis.EndPosition(), 100);
    EXPECT_EQ(axis.LogarithmicBase(), 10);
    EXPECT_EQ(axis.TickLength(), 4);
    EXPECT_EQ(axis.TickInnerLength(), 0);
    EXPECT_EQ(axis.MinorTickLength(), 2);
    EXPECT_EQ(axis.MinorTickCount(), 3);
    EXPECT_TRUE(axis.TickOnLabelsOnly());
    EXPECT_EQ(axis.Axis().Width(), 2);
    EXPECT_EQ(axis.Grid().Color(), clSilver);
    EXPECT_FALSE(axis.MinorGrid().Visible());
    EXPECT_EQ(axis.Ticks().Color(), clGray);
    EXPECT_EQ(axis.Labels().Separation(), 10);
    EXPECT_EQ(axis.Labels().MarginToAxis(), 10);
    EXPECT_TRUE(axis.Labels().Format().Transparent());
    EXPECT_EQ(axis.CreatedTitle(), nullptr);
}

struct TitleAngleCase {
    const char* name;
    std::function<TChartAxis&(TChart&)> axis;
    int angle;
};

class TitleAngleTest : public ChartFixture, public ::testing::WithParamInterface<TitleAngleCase> {};

TEST_P(TitleAngleTest, NewTitleAngleFollowsTheSide) {
    TChartAxis& axis = GetParam().axis(chart);
    EXPECT_EQ(RepaintsDuring([&] { EXPECT_EQ(axis.Title().Angle(), GetParam().angle); }), 0);
    EXPECT_TRUE(axis.Title().Transparent());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TitleAngleTest,
    ::testing::Values(
        TitleAngleCase{"LeftAxis", [](TChart& c) -> TChartAxis& { return c.LeftAxis(); }, 90},
        TitleAngleCase{"RightAxis", [](TChart& c) -> TChartAxis& { return c.RightAxis(); }, 270},
        TitleAngleCase{"BottomAxis", [](TChart& c) -> TChartAxis& { return c.BottomAxis(); }, 0},
        TitleAngleCase{"TopAxis", [](TChart& c) -> TChartAxis& { return c.TopAxis(); }, 0},
        TitleAngleCase{"CustomVertical",
                       [](TChart& c) -> TChartAxis& { return c.CustomAxes().Add(); }, 90},
        TitleAngleCase{"CustomVerticalOtherSide",
                       [](TChart& c) -> TChartAxis& {
                           TChartAxis& a = c.CustomAxes().Add();
                           a.SetOtherSide(true);
                           return a;
                       },
                       270},
        TitleAngleCase{"LeftAxisOnTheOtherSide",
                       [](TChart& c) -> TChartAxis& {
                           c.LeftAxis().SetOtherSide(true);
                           return c.LeftAxis();
                       },
                       90}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, LabelsAngleIsStoredModulo360) {
    TAxisLabels& labels = chart.LeftAxis().Labels();
    labels.SetAngle(450);
    EXPECT_EQ(labels.Angle(), 90);
    labels.SetAngle(-90);
    EXPECT_EQ(labels.Angle(), 270);
}

}  // namespace
}  // namespace twinscope
