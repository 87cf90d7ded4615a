#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "twinscope/chart/axes/AxisGeometry.h"
#include "tests/axes/WindowChartFixture.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/Printers.h"

namespace twinscope {
namespace {

using testing::ChartFixture;
using testing::TWindowAxis;
using testing::WindowChartFixture;

TChartAxis& AxisOn(TChart& chart, TAxisSide side) {
    switch (side) {
        case asBottom:
            return chart.BottomAxis();
        case asTop:
            return chart.TopAxis();
        case asLeft:
            return chart.LeftAxis();
        case asRight:
            return chart.RightAxis();
    }
    return chart.LeftAxis();
}

// The axis stands on side(r) moved by PositionPercent; Outwards moves 7 pixels and Reserve
// takes 20.
struct PositionCase {
    const char* name;
    TAxisSide side;
    double percent;
    TChartUnits units;
    TRect r;
    std::int32_t shifted;
    std::int32_t outwards;
    TRect reserved;
};

class PositionTest : public ChartFixture, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PositionTest, ShiftsMovesAndReserves) {
    const PositionCase& c = GetParam();
    TChartAxis& axis = AxisOn(chart, c.side);
    axis.SetPositionPercent(c.percent);
    axis.SetPositionUnits(c.units);
    const std::int32_t side = Side(axis, c.r);
    EXPECT_EQ(ShiftedByPercent(axis, side, c.r), c.shifted);
    EXPECT_EQ(Outwards(axis, side, 7), c.outwards);
    EXPECT_EQ(Reserve(axis, c.r, 20), c.reserved);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PositionTest,
    ::testing::Values(
        // Round(-16.76) = -17: seventeen pixels to the left.
        PositionCase{"LeftMinusTwoPercentOf838",
                     asLeft,
                     -2,
                     muPercent,
                     {126, 21, 964, 471},
                     109,
                     119,
                     {146, 21, 964, 471}},
        PositionCase{"LeftMinusThirteenPercentOf838",
                     asLeft,
                     -13,
                     muPercent,
                     {200, 21, 1038, 471},
                     91,
                     193,
                     {220, 21, 1038, 471}},
        PositionCase{"BottomMinusTwelvePercentOf450",
                     asBottom,
                     -12,
                     muPercent,
                     {180, 21, 964, 471},
                     525,
                     478,
                     {180, 21, 964, 451}},
        PositionCase{"LeftMinusTwentyPixels",
                     asLeft,
                     -20,
                     muPixels,
                     {180, 21, 964, 421},
                     160,
                     173,
                     {200, 21, 964, 421}},
        PositionCase{"BottomMinusTwentyPixels",
                     asBottom,
                     -20,
                     muPixels,
                     {180, 21, 964, 421},
                     441,
                     428,
                     {180, 21, 964, 401}},
        PositionCase{"RightMovesRight",
                     asRight,
                     -10,
                     muPercent,
                     {100, 0, 300, 100},
                     320,
                     307,
                     {100, 0, 280, 100}},
        PositionCase{
            "TopMovesUp", asTop, -10, muPercent, {100, 0, 300, 100}, -10, -7, {100, 20, 300, 100}},
        PositionCase{"PositiveMovesInwards",
                     asLeft,
                     10,
                     muPercent,
                     {0, 0, 200, 100},
                     20,
                     -7,
                     {20, 0, 200, 100}},
        PositionCase{
            "ReserveLeavesOnePixel", asLeft, 0, muPercent, {0, 0, 10, 10}, 0, -7, {9, 0, 10, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, ExtremeSettingsSaturateInsteadOfOverflowing) {
    TChartAxis& bottom = chart.BottomAxis();
    constexpr std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Reserve(bottom, {0, 10, 100, 50}, huge), (TRect{0, 10, 100, 11}));
    EXPECT_EQ(Outwards(bottom, huge, huge), huge);
    bottom.SetPositionUnits(muPixels);
    bottom.SetPositionPercent(-1e300);
    EXPECT_EQ(ShiftedByPercent(bottom, 100, {0, 0, 10, 10}), huge);
}

struct LineExtentCase {
    const char* name;
    std::function<void(TChartAxis&)> change;
    bool countTicks;
    std::int32_t extent;
};

class LineExtentTest : public ChartFixture, public ::testing::WithParamInterface<LineExtentCase> {};

TEST_P(LineExtentTest, CountsPenTicksAndMinorTicks) {
    TChartAxis& axis = chart.LeftAxis();
    GetParam().change(axis);
    EXPECT_EQ(AxisLineAndTicksExtent(axis, GetParam().countTicks), GetParam().extent);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineExtentTest,
    ::testing::Values(
        LineExtentCase{"Defaults", [](TChartAxis&) {}, true, 7},
        LineExtentCase{"TicksNotCounted", [](TChartAxis&) {}, false, 3},
        LineExtentCase{"HiddenAxisPen", [](TChartAxis& a) { a.Axis().Hide(); }, true, 4},
        LineExtentCase{"HiddenTicks", [](TChartAxis& a) { a.Ticks().Hide(); }, true, 3},
        LineExtentCase{"WidePen", [](TChartAxis& a) { a.Axis().SetWidth(5); }, true, 10},
        LineExtentCase{"LongMinorTicks", [](TChartAxis& a) { a.SetMinorTickLength(12); }, true,
                       12}),
    [](const auto& info) { return std::string(info.param.name); });

// Where each axis of the window's chart stands after the layout, across its direction.
struct LayoutCase {
    const char* name;
    TWindowAxis axis;
    std::int32_t axisPosition;
    std::int32_t labelsPosition;
    std::int32_t titlePosition;  // 0: no title
    std::int32_t labelsExtent;
};

class WindowLayoutTest : public WindowChartFixture,
                         public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(WindowLayoutTest, AxesStandWhereTheirSpaceWasReserved) {
    Render();
    const LayoutCase& c = GetParam();
    TChartAxis& axis = AxisOf(c.axis);
    const TAxisLayout placed = chart.AxisPaintOf(axis).Layout;
    EXPECT_EQ(placed.AxisPosition, c.axisPosition);
    EXPECT_EQ(placed.LabelsPosition, c.labelsPosition);
    EXPECT_EQ(placed.TitlePosition, c.titlePosition);
    EXPECT_EQ(placed.LabelsExtent, c.labelsExtent);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowLayoutTest,
    ::testing::Values(
        // One line of 8-point dates (12), then line and ticks (7); the labels hang
        // Round(12 x 0.1) = 1 below the band's inner edge.
        LayoutCase{"Bottom", TWindowAxis::Bottom, 421, 429, 0, 12},
        // Title "°F" 20 wide (145..165), fixed labels 8 (..173), line and ticks 7 (..180); the
        // gap is Round(21 x 0.1) = 2 of the title's font; all moved by Round(-0.02 x 784).
        LayoutCase{"Left", TWindowAxis::Left, 164, 155, 149, 8},
        // 180 + Round(-0.13 x 784); the widest label "-10" is 27 and a blank 9.
        LayoutCase{"Celsius", TWindowAxis::Celsius, 78, 71, 35, 36},
        // 421 + Round(0.12 x 400); one line of 10-point labels is 15 high.
        LayoutCase{"DayOfYear", TWindowAxis::DayOfYear, 469, 476, 491, 15}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowChartFixture, OnlyTheStandardAxesTakeFromThePlot) {
    Render();
    EXPECT_EQ(chart.PlotRect(), (TRect{180, 21, 964, 421}));
    const TRect r{145, 21, 964, 440};
    for (const TChartAxis* scale : {static_cast<TChartAxis*>(celsius.Get()),
                                    static_cast<TChartAxis*>(days.Get())}) {
        EXPECT_EQ(ReserveAxisSpace(*scale, chart.AxisPaintOf(*scale), canvas, r).Plot, r);
    }
    EXPECT_EQ(TitleExtent(chart.LeftAxis(), canvas), 20);
    EXPECT_EQ(TitleExtent(*days.Get(), canvas), 15);

    chart.Title().SetText({"TChart"});
    Render();
    EXPECT_EQ(chart.PlotRect(), (TRect{180, 38, 964, 421}));
}

// The chart keeps one placement per axis; a freed axis takes its placement with it, so an axis
// made later (perhaps where it stood) starts unplaced: a custom axis keeps the label line count
// of its first layout.
TEST_F(WindowChartFixture, AFreedAxisLeavesNoPlacementBehind) {
    Render();
    EXPECT_EQ(chart.AxisPaintOf(*celsius.Get()).Layout.LabelLineCount, 1);
    celsius.Free();
    const TChartAxis& added = chart.CustomAxes().Add();
    EXPECT_EQ(chart.AxisPaintOf(added).Layout, TAxisLayout{});
}

TEST_F(WindowChartFixture, TheLabelsGapIsMeasuredInTheFontSelectedLast) {
    TChartAxis& left = chart.LeftAxis();
    left.Labels().SetMarginToAxis(100);
    Render();
    // Fixed labels measure nothing: the gap is the title's font height, 21.
    EXPECT_EQ(chart.AxisPaintOf(left).Layout.LabelsPosition, 173 - 21 - 16);
    left.SetLabelsSize(0);
    Render();
    // Labels measured in 12 points: "100" and a blank take 36, the gap is 18, and the axis
    // moves by Round(-0.02 x 756).
    EXPECT_EQ(chart.AxisPaintOf(left).Layout.LabelsExtent, 36);
    EXPECT_EQ(chart.AxisPaintOf(left).Layout.LabelsPosition, 165 + 36 - 18 - 15);
}

TEST_F(WindowChartFixture, MultiLineDatesTakeOneFontHeightPerLine) {
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetDateTimeFormat("d mmm");
    bottom.Labels().SetMultiLine(true);
    Render();
    EXPECT_EQ(chart.AxisPaintOf(bottom).Layout.LabelLineCount, 2);
    EXPECT_EQ(chart.AxisPaintOf(bottom).Layout.LabelsExtent, 24);
    EXPECT_EQ(chart.PlotRect().Bottom, 440 - 24 - 7);
}

TEST_F(ChartFixture, TheWidestLabelIsSoughtAmongAtMost5000Values) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMinMax(0, 1000000);
    axis.SetIncrement(1);
    axis.Labels().SetSeparation(0);  // keeps the increment of 1
    testing::steps::PrepareAxisRange(chart, axis);
    testing::steps::MapAxis(chart, axis, {0, 0, 100, 100});
    TRecordingCanvas canvas;
    const TMultiLineWidth widest = MaxLabelWidth(axis, chart.AxisPaintOf(axis), canvas);
    EXPECT_EQ(widest.Width, 9 * 6 + 6);  // "1,000,000" and a blank
    EXPECT_EQ(widest.Lines, 1);
    std::size_t texts = 0;
    for (const TRecordedCall& call : canvas.CallsOf("TextExtent"))
        texts += call.Text != "W" && call.Text != " ";
    EXPECT_EQ(texts, 4u + 5000u);  // four samples for the increment, then the labels
}

// Each label text is measured once: a range at -1e308 whose increment is lost in the values'
// precision, and an increment below the format's precision, which repeats texts.
TEST_F(ChartFixture, TheWidestLabelMeasuresEachTextOnce) {
    struct TCase {
        double minimum, maximum, increment;
        std::size_t texts;
    };
    for (const TCase& c : {TCase{-1e308, -1e308, 0, 1}, TCase{0, 1, 0.0001, 1001}}) {
        TChartAxis& axis = chart.LeftAxis();
        axis.SetAutomatic(false);
        axis.SetMinMax(c.minimum, c.maximum);
        axis.SetIncrement(c.increment);
        axis.Labels().SetSeparation(0);
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, {0, 0, 100, 100000});
        TRecordingCanvas canvas;
        MaxLabelWidth(axis, chart.AxisPaintOf(axis), canvas);
        std::size_t texts = 0;
        for (const TRecordedCall& call : canvas.CallsOf("TextExtent"))
            texts += call.Text != "W" && call.Text != " ";
        EXPECT_LE(texts, 4 + c.texts) << c.minimum;  // the increment's samples, then the labels
    }
}

struct OffsetCase {
    const char* name;
    TAxisSide side;
    bool inverted;
    std::int32_t atMinimum;
    std::int32_t atMaximum;
    double minimum;
    double maximum;
};

class OffsetTest : public ChartFixture, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(OffsetTest, WidenTheRangeSoItsEndsLieInside) {
    const OffsetCase& c = GetParam();
    TChartAxis& axis = AxisOn(chart, c.side);
    axis.SetAutomatic(false);
    axis.SetMinMax(0, 100);
    axis.SetInverted(c.inverted);
    axis.SetMinimumOffset(c.atMinimum);
    axis.SetMaximumOffset(c.atMaximum);
    testing::steps::PrepareAxisRange(chart, axis);
    testing::steps::MapAxis(chart, axis, {0, 0, 400, 400});
    testing::steps::ApplyAxisOffsets(chart, axis);
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(axis).Minimum(), c.minimum);
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(axis).Maximum(), c.maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OffsetTest,
    ::testing::Values(OffsetCase{"VerticalBothEnds", asLeft, false, 20, 30, -20 * 100.0 / 350,
                                 100 + 30 * 100.0 / 350},
                      OffsetCase{"HorizontalInverted", asBottom, true, 20, 0, -20 * 100.0 / 380,
                                 100},
                      OffsetCase{"NegativeOffsetsNarrow", asLeft, false, -50, -50, 10, 90},
                      OffsetCase{"NoOffsets", asBottom, false, 0, 0, 0, 100},
                      // Offsets leaving no pixel between them would collapse the range.
                      OffsetCase{"LongerThanTheAxis", asLeft, false, 300, 200, 0, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowChartFixture, OffsetsMoveTheTitleOutPastTheLabels) {
    chart.LeftAxis().SetMinimumOffset(10);
    Render();
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(chart.LeftAxis()).Minimum(), -10 * 100.0 / 390);
    EXPECT_EQ(chart.AxisPaintOf(chart.LeftAxis()).Layout.TitlePosition, 155 - 8);
}

}  // namespace
}  // namespace twinscope
