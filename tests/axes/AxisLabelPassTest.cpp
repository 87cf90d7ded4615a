#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/axes/WindowChartFixture.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

std::vector<double> ValuesOf(const TLabelPassResult& r) {
    std::vector<double> values;
    for (const TAxisLabel& label : r.Labels)
        values.push_back(label.Value);
    return values;
}

std::vector<std::string> TextsOf(const TLabelPassResult& r) {
    std::vector<std::string> texts;
    for (const TAxisLabel& label : r.Labels)
        texts.push_back(label.Text);
    return texts;
}

std::vector<std::int32_t> PositionsOf(const TLabelPassResult& r) {
    std::vector<std::int32_t> positions;
    for (const TAxisLabel& label : r.Labels)
        positions.push_back(label.LabelPos);
    return positions;
}

// The program's chart after its first plot: the left axis 0..100 °F with the Celsius scale
// beside it, the bottom axis from 1 August 2024 14:31 to 30 September 2024 14:31 with the
// day-of-year scale below it. The chart is 965 x 518 with margins 15/4/0/15 percent, which
// leaves the plot (145, 21, 964, 440); the left axis then takes 35 pixels (its title "°F" in
// 14 points, 20; its fixed labels size, 8; line and ticks, 7) and the bottom axis 19 (one
// line of 8-point labels, 12; line and ticks, 7).
class ProgramAxesTest : public testing::WindowChartFixture {
protected:
    static constexpr TRect Plot{180, 21, 964, 421};

    TLabelPassResult Pass(TChartAxis& axis) {
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, Plot);
        return RunLabelPass(axis, chart.AxisPaintOf(axis), canvas);
    }
};

TEST_F(ProgramAxesTest, FahrenheitAxisLabelsEveryTenDegrees) {
    const TLabelPassResult r = Pass(chart.LeftAxis());
    EXPECT_EQ(r.LabelIncrement, 10);
    EXPECT_EQ(r.StepIndex, NoDateTimeStep);
    EXPECT_EQ(TextsOf(r), (std::vector<std::string>{"100", "90", "80", "70", "60", "50", "40", "30",
                                                    "20", "10", "0"}));
    EXPECT_EQ(r.TickPositions,
              (std::vector<std::int32_t>{21, 61, 101, 141, 181, 221, 261, 301, 341, 381, 421}));
    EXPECT_EQ(PositionsOf(r), r.TickPositions);
}

TEST_F(ProgramAxesTest, CelsiusScaleLabelsTheMultiplesOfTenInsideItsRange) {
    const TLabelPassResult r = Pass(*celsius.Get());
    EXPECT_EQ(r.LabelIncrement, 10);
    EXPECT_EQ(ValuesOf(r), (std::vector<double>{30, 20, 10, 0, -10}));
    EXPECT_EQ(TextsOf(r), (std::vector<std::string>{"30", "20", "10", "0", "-10"}));
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{77, 149, 221, 293, 365}));
}

TEST_F(ProgramAxesTest, CelsiusScaleWithoutRoundedFirstLabelStartsAtItsMaximum) {
    celsius->Labels().SetRoundFirst(false);
    const TLabelPassResult r = Pass(*celsius.Get());
    EXPECT_EQ(TextsOf(r), (std::vector<std::string>{"37.778", "27.778", "17.778", "7.778", "-2.222",
                                                    "-12.222"}));
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{21, 93, 165, 237, 309, 381}));
}

TEST_F(ProgramAxesTest, DateAxisLabelsEveryTenDaysInShortDates) {
    const TLabelPassResult r = Pass(chart.BottomAxis());
    EXPECT_EQ(r.LabelIncrement, 10);
    EXPECT_EQ(r.StepIndex, NoDateTimeStep);
    EXPECT_EQ(ValuesOf(r), (std::vector<double>{45560, 45550, 45540, 45530, 45520, 45510}));
    EXPECT_EQ(TextsOf(r), (std::vector<std::string>{"9/25/2024", "9/15/2024", "9/5/2024",
                                                    "8/26/2024", "8/16/2024", "8/6/2024"}));
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{891, 760, 629, 499, 368, 237}));
}

TEST_F(ProgramAxesTest, DayOfYearScaleLabelsEveryTenDays) {
    const TLabelPassResult r = Pass(*days.Get());
    EXPECT_EQ(r.LabelIncrement, 10);
    EXPECT_EQ(TextsOf(r), (std::vector<std::string>{"270", "260", "250", "240", "230", "220"}));
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{912, 781, 650, 520, 389, 258}));
}

TEST_F(ProgramAxesTest, PassRefillsTheAutomaticItems) {
    TChartAxis& axis = *days.Get();
    Pass(axis);
    const TLabelPassResult r = Pass(axis);
    ASSERT_EQ(axis.Items().Count(), 6u);
    for (std::size_t i = 0; i < axis.Items().Count(); ++i) {
        const TAxisItem& item = axis.Items()[i];
        EXPECT_EQ(item.Value, r.Labels[i].Value);
        EXPECT_EQ(item.Text, r.Labels[i].Text);
        EXPECT_EQ(item.LabelPos, r.Labels[i].LabelPos);
        EXPECT_EQ(item.Format, nullptr);
    }
}

// Labels behind are drawn by the painter right after the pass, in their own group, before the
// axis line, ticks and grid; the pass itself draws nothing.
TEST_F(ProgramAxesTest, LabelsBehindAreDrawnBeforeTheAxisLine) {
    TChartAxis& axis = chart.BottomAxis();
    Render();
    canvas.ClearCalls();
    const TLabelPassResult pass = Pass(axis);
    EXPECT_TRUE(canvas.CallsOf("BeginGroup").empty());
    EXPECT_TRUE(canvas.CallsOf("TextOut").empty());

    for (const bool behind : {true, false}) {
        axis.Labels().SetBehind(behind);
        canvas.ClearCalls();
        DrawAxis(axis, chart.AxisPaintOf(axis), canvas, chart.PlotRect());
        std::vector<std::string> order;
        std::vector<std::string> texts;
        for (const TRecordedCall& call : canvas.Calls()) {
            if (call.Operation == "BeginGroup") order.push_back(call.Text);
            if (call.Operation == "TextOut") texts.push_back(call.Text);
        }
        EXPECT_EQ(texts, TextsOf(pass));
        const std::vector<std::string> behindOrder{"Axis", "Labels", "Ticks", "Grid", "MinorTicks"};
        const std::vector<std::string> overOrder{"Axis", "Ticks", "Grid", "MinorTicks", "Labels"};
        EXPECT_EQ(order, behind ? behindOrder : overOrder);
    }
}

// A vertical value axis bound to an active series, its labels one font height of 16 pixels.
// The window's bottom axis moved to the calendar's far end, as a refused plot leaves it: every
// paint completes, and a label that cannot be a date is left out.
struct CalendarEndCase {
    const char* name;
    double minimum, maximum;
    bool exactDateTime;
    double increment;
};

class CalendarEndRows : public testing::WindowChartFixture,
                        public ::testing::WithParamInterface<CalendarEndCase> {};

TEST_P(CalendarEndRows, PaintCompletesWithDatesOnly) {
    const CalendarEndCase& c = GetParam();
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetExactDateTime(c.exactDateTime);
    bottom.SetIncrement(c.increment);
    bottom.SetMinMax(c.minimum, c.maximum);
    ASSERT_NO_THROW(Render());
    for (const TAxisItem& item : bottom.Items()) {
        EXPECT_GE(item.Value, EncodeDate(1, 1, 1)) << item.Text;
        EXPECT_LT(item.Value, EncodeDate(9999, 12, 31) + 1) << item.Text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarEndRows,
    ::testing::Values(CalendarEndCase("UpToTheLastDay", 45505, EncodeDate(9999, 12, 31), false, 10),
                      CalendarEndCase("TheLastTwoDays", EncodeDate(9999, 12, 30),
                                      EncodeDate(9999, 12, 31), false, 10),
                      CalendarEndCase("PastTheLastDay", EncodeDate(9999, 12, 30),
                                      EncodeDate(9999, 12, 31) + 3, false, 0),
                      CalendarEndCase("YearsFromYear100", EncodeDate(1, 1, 1) - 3000,
                                      EncodeDate(100, 1, 1), true, 365),
                      CalendarEndCase("MonthsBeforeTheFirstDay", EncodeDate(1, 1, 1) - 20,
                                      EncodeDate(1, 3, 1), true, 30)),
    [](const auto& info) { return std::string(info.param.name); });

class ValuePassTest : public ChartFixture {
protected:
    ValuePassTest() {
        chart.CreateSeries<TLineSeries>().SetParentChart(&chart);
        axis.SetAutomatic(false);
        axis.LabelsFont().SetSizeFloat(32.0 / 3);
    }

    TLabelPassResult Pass(double minimum, double maximum, double increment,
                          std::int32_t axisLength) {
        axis.SetMinMax(minimum, maximum);
        axis.SetIncrement(increment);
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, TRect{180, 21, 964, 21 + axisLength});
        return RunLabelPass(axis, chart.AxisPaintOf(axis), canvas);
    }

    TChartAxis& axis = chart.LeftAxis();
    TRecordingCanvas canvas;
};

struct ValueCase {
    const char* name;
    double minimum, maximum, increment;
    std::int32_t axisLength;  // the axis runs down from pixel 21
    void (*setup)(TChartAxis&);
    double labelIncrement;
    std::vector<double> values;
    std::vector<std::int32_t> ticks;
};

class ValuePassRows : public ValuePassTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValuePassRows, PlacesLabelsAndTicks) {
    const ValueCase& c = GetParam();
    if (c.setup) c.setup(axis);
    const TLabelPassResult r = Pass(c.minimum, c.maximum, c.increment, c.axisLength);
    EXPECT_EQ(r.LabelIncrement, c.labelIncrement);
    EXPECT_EQ(ValuesOf(r), c.values);
    EXPECT_EQ(r.TickPositions, c.ticks);
    EXPECT_EQ(axis.Items().Count(), c.values.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValuePassRows,
    ::testing::Values(
        // 16 + 2 pixels a label: 22 fit, 8 are needed.
        ValueCase("SetIncrementKeptWhenLabelsFit", 40, 80, 5, 400, nullptr, 5,
                  {80, 75, 70, 65, 60, 55, 50, 45, 40},
                  {21, 71, 121, 171, 221, 271, 321, 371, 421}),
        // 3 fit: 5 needs 8, 10 needs 4, 15 needs 3.
        ValueCase("SetIncrementGrowsUntilLabelsFit", 40, 80, 5, 60, nullptr, 15, {75, 60, 45},
                  {28, 51, 74}),
        // 10 fit: 100 / 11 needs 11, the ladder's next rung 10 needs 10.
        ValueCase("ZeroIncrementClimbsTheLadder", 0, 100, 0, 180, nullptr, 10,
                  {100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0},
                  {21, 39, 57, 75, 93, 111, 129, 147, 165, 183, 201}),
        ValueCase("NegativeMaximumStepsTheFirstValueDown", -10, -2, 3, 400, nullptr, 3,
                  {-3, -6, -9}, {71, 221, 371}),
        ValueCase("ZeroRangeGivesOneLabelAtTheCentre", 50, 50, 0, 400, nullptr, 1, {50}, {221}),
        ValueCase("RoundFirstOffStartsAtTheMaximum", 41, 79, 5, 400,
                  [](TChartAxis& a) { a.Labels().SetRoundFirst(false); }, 5,
                  {79, 74, 69, 64, 59, 54, 49, 44}, {21, 74, 126, 179, 232, 284, 337, 389}),
        ValueCase("OnAxisOffDropsTheLabelsOnTheEnds", 40, 80, 5, 400,
                  [](TChartAxis& a) { a.Labels().SetOnAxis(false); }, 5,
                  {75, 70, 65, 60, 55, 50, 45}, {71, 121, 171, 221, 271, 321, 371}),
        ValueCase("InvertedAxisPutsTheTopValueAtTheBottom", 40, 80, 5, 400,
                  [](TChartAxis& a) { a.SetInverted(true); }, 5,
                  {80, 75, 70, 65, 60, 55, 50, 45, 40},
                  {421, 371, 321, 271, 221, 171, 121, 71, 21}),
        ValueCase("SeparationZeroKeepsTheIncrementAndTenThousandLabelsShowNone", 0, 20000, 1, 400,
                  [](TChartAxis& a) { a.Labels().SetSeparation(0); }, 1, {}, {}),
        // Not even one label fits in 8 pixels: the floor increment asks for too many labels.
        ValueCase("NoLabelFitsShowsNone", 40, 80, 5, 8, nullptr,
                  std::numeric_limits<double>::denorm_min(), {}, {}),
        ValueCase("HiddenLabelsLeaveNoTicks", 40, 80, 5, 400,
                  [](TChartAxis& a) { a.Labels().SetVisible(false); }, 5, {}, {})),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ValuePassTest, HiddenLabelsStillMarkTicksForAnAlwaysDrawnGrid) {
    axis.Labels().SetVisible(false);
    axis.Grid().SetDrawAlways(true);
    TLabelPassResult r = Pass(40, 80, 10, 400);
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{21, 121, 221, 321, 421}));
    EXPECT_EQ(axis.Items().Count(), 0u);

    axis.Grid().SetDrawAlways(false);
    axis.SetTickOnLabelsOnly(false);
    r = Pass(40, 80, 10, 400);
    EXPECT_EQ(r.TickPositions, (std::vector<std::int32_t>{21, 121, 221, 321, 421}));
    EXPECT_TRUE(r.Labels.empty());
}

TEST_F(ValuePassTest, AnAxisWithoutActiveSeriesShowsNothing) {
    TChartAxis& right = chart.RightAxis();
    right.SetAutomatic(false);
    right.SetMinMax(0, 100);
    right.SetIncrement(10);
    right.Grid().SetDrawAlways(true);
    testing::steps::PrepareAxisRange(chart, right);
    testing::steps::MapAxis(chart, right, TRect{180, 21, 964, 421});
    const TLabelPassResult r = RunLabelPass(right, chart.AxisPaintOf(right), canvas);
    EXPECT_TRUE(r.TickPositions.empty());
    EXPECT_TRUE(r.Labels.empty());
}

TEST_F(ValuePassTest, JustUnderTenThousandLabelsAreAllPlaced) {
    axis.Labels().SetSeparation(0);
    const TLabelPassResult r = Pass(0, 9999, 1, 400);
    ASSERT_EQ(r.Labels.size(), 10000u);
    EXPECT_EQ(r.Labels.front().Text, "9,999");
    EXPECT_EQ(r.Labels.back().Text, "0");
    EXPECT_EQ(r.TickPositions.size(), 10000u);
}

TEST_F(ValuePassTest, StepsTooFineToCountStillGrowUntilTheLabelsFit) {
    const TLabelPassResult r = Pass(0, 1e12, 1, 400);
    EXPECT_GT(r.LabelIncrement, 1e12 / 23);
    EXPECT_LE(r.Labels.size(), 23u);
    EXPECT_FALSE(r.Labels.empty());
}

// The nearly endless range a scale passes through while it follows its master: its span only
// fits extended precision.
TEST_F(ValuePassTest, NearlyEndlessRangeStaysOnTheLadder) {
    const TLabelPassResult r = Pass(-8.5e307, 1.7e308, 0, 400);
    EXPECT_DOUBLE_EQ(r.LabelIncrement, 2e307);
    ASSERT_EQ(r.Labels.size(), 13u);
    EXPECT_DOUBLE_EQ(r.Labels.front().Value, 1.6e308);
}

TEST_F(ValuePassTest, HandMadeItemsAreLeftAlone) {
    axis.Items().SetAutomatic(false);
    axis.Items().Add(55, "mid");
    const TLabelPassResult r = Pass(40, 80, 5, 400);
    EXPECT_TRUE(r.TickPositions.empty());
    ASSERT_EQ(axis.Items().Count(), 1u);
    EXPECT_EQ(axis.Items()[0].Text, "mid");
}

// The bottom axis carrying the X values of a date series, labels in 8 points (6 pixels a
// character, 12 high).
class DatePassTest : public ChartFixture {
protected:
    DatePassTest() {
        auto& series = chart.CreateSeries<TLineSeries>();
        series.XValues().SetDateTime(true);
        series.SetParentChart(&chart);
        axis.SetAutomatic(false);
    }

    TChartAxis& axis = chart.BottomAxis();
    TRecordingCanvas canvas;
};

struct DateCase {
    const char* name;
    double minimum, maximum, increment;
    bool exactDateTime;
    std::int32_t axisLength;
    const char* format;
    double labelIncrement;
    std::int32_t stepIndex;
    std::vector<std::string> texts;
};

class DatePassRows : public DatePassTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DatePassRows, PlacesCalendarLabels) {
    const DateCase& c = GetParam();
    axis.SetMinMax(c.minimum, c.maximum);
    axis.SetIncrement(c.increment);
    axis.SetExactDateTime(c.exactDateTime);
    axis.SetDateTimeFormat(c.format);
    testing::steps::PrepareAxisRange(chart, axis);
    testing::steps::MapAxis(chart, axis, TRect{180, 21, 180 + c.axisLength, 421});
    const TLabelPassResult r = RunLabelPass(axis, chart.AxisPaintOf(axis), canvas);
    EXPECT_EQ(r.LabelIncrement, c.labelIncrement);
    EXPECT_EQ(r.StepIndex, c.stepIndex);
    EXPECT_EQ(TextsOf(r), c.texts);
}

constexpr double Jan2024 = 45292;  // 1 January 2024
constexpr double Aug2024 = 45505;  // 1 August 2024, a Thursday

INSTANTIATE_TEST_SUITE_P(
    Rows, DatePassRows,
    ::testing::Values(
        // 20 July to 13 August 2024; a label is 54 + 5 pixels wide.
        DateCase("TwoLabelsFitTenDays", 45493, 45517, 10, false, 118, "", 10, NoDateTimeStep,
                 {"8/6/2024", "7/27/2024"}),
        DateCase("OneLabelFitsClimbsTheTableToAMonth", 45493, 45517, 10, false, 59, "", 30,
                 NoDateTimeStep, {"8/6/2024"}),
        DateCase("IncrementOutsideTheTableSubtractsEvenWhenExact", 45493, 45517, 10, true, 784, "",
                 10, NoDateTimeStep, {"8/6/2024", "7/27/2024"}),
        DateCase("MonthsStepFromTheFirstOfTheMonth", Jan2024, Jan2024 + 365, 30, true, 784, "mmm",
                 30, dtOneMonth,
                 {"Dec", "Nov", "Oct", "Sep", "Aug", "Jul", "Jun", "May", "Apr", "Mar", "Feb",
                  "Jan"}),
        // 5 labels of 18 + 2 pixels fit: 30 days needs 12, 60 needs 6, 90 needs 4.
        DateCase("CrowdedMonthsMoveUpToQuarters", Jan2024, Jan2024 + 365, 30, true, 100, "mmm", 90,
                 dtOneMonth + 2, {"Dec", "Sep", "Jun", "Mar"}),
        DateCase("HalfMonthsFallOnTheFirstAndFifteenth", Aug2024, Aug2024 + 60, 15, true, 784,
                 "d mmm", 15, dtHalfMonth, {"15 Sep", "1 Sep", "15 Aug", "1 Aug"}),
        DateCase("YearsFallOnTheFirstOfJanuary", 43831, 45473, 365, true, 784, "yyyy", 365,
                 dtOneYear, {"2024", "2023", "2022", "2021", "2020"}),
        // The Monday next to 31 August lies above it and is stepped down a week.
        DateCase("WeeksFallOnMondays", Aug2024, Aug2024 + 30, 7, true, 784, "ddd d", 7, dtOneWeek,
                 {"Mon 26", "Mon 19", "Mon 12", "Mon 5"}),
        DateCase("DaysPastTheLastAreLeftOut", 2958464, 2958468, 1, false, 784, "", 1,
                 NoDateTimeStep, {"12/31/9999", "12/30/9999"}),
        DateCase("YearsStopAtTheFirstYear", -694000, -693228, 365, true, 784, "yyyy", 365,
                 dtOneYear, {"0002", "0001"}),
        DateCase("OneDayOrLessShowsTimes", Aug2024, Aug2024 + 1, 0.25, false, 784, "", 0.25,
                 NoDateTimeStep, {"12:00 AM", "6:00 PM", "12:00 PM", "6:00 AM", "12:00 AM"})),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
