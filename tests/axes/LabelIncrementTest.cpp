#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/canvas/CanvasRegistry.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

class LabelTest : public ChartFixture {
protected:
    LabelTest() { series.SetParentChart(&chart); }

    // Prepares an axis for a paint over the given range and plot.
    void Prepare(TChartAxis& axis, double minimum, double maximum, double increment,
                 const TRect& plot) {
        axis.SetAutomatic(false);
        axis.SetMinMax(minimum, maximum);
        axis.SetIncrement(increment);
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, plot);
    }

    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    TRecordingCanvas canvas;
};

struct IncrementCase {
    const char* name;
    double minimum, maximum, increment;
    std::int32_t axisLength;  // vertical axis, labels 16 + 2 pixels high
    void (*setup)(TChartAxis&);
    double expected;
};

class IncrementRows : public LabelTest, public ::testing::WithParamInterface<IncrementCase> {};

TEST_P(IncrementRows, ComputeLabelIncrement) {
    const IncrementCase& c = GetParam();
    TChartAxis& axis = chart.LeftAxis();
    axis.LabelsFont().SetSizeFloat(32.0 / 3);
    if (c.setup) c.setup(axis);
    Prepare(axis, c.minimum, c.maximum, c.increment, TRect{180, 21, 964, 21 + c.axisLength});
    EXPECT_DOUBLE_EQ(ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), canvas), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IncrementRows,
    ::testing::Values(
        // 14 fit: 1, 2, ... 6 need too many, then 6 + 6 / 5 = 7.2 needs 14.
        IncrementCase("GrowsByAFifthBeyondFiveIncrements", 0, 100, 1, 252, nullptr, 7.2),
        // 167 fit, so 150 labels are counted and kept.
        IncrementCase("ManyFittingLabelsKeepAFineIncrement", 0, 150, 1, 3000, nullptr, 1),
        IncrementCase(
            "AlternateLabelsHalveIt", 40, 80, 5, 60,
            [](TChartAxis& a) { a.Labels().SetAlternate(true); }, 7.5),
        // 20 fit: 40 / 21 needs 21, then the ladder's 2 needs 20.
        IncrementCase("ZeroIncrementStepsUpTheLadder", 40, 80, 0, 360, nullptr, 2),
        IncrementCase(
            "TwoLineLabelsTakeTwiceTheRoom", 40, 80, 5, 60,
            [](TChartAxis& a) {
                a.SetAxisValuesFormat("0 'F'");
                a.Labels().SetMultiLine(true);
            },
            20)),
    [](const auto& info) { return std::string(info.param.name); });

// The painter reuses the samples the layout measured while the range and the axis's settings
// stay; the increment is still chosen for the axis's length of the moment.
struct SampleCase {
    const char* name;
    void (*change)(TChartAxis&);
    bool reused;
};

class SampleReuseRows : public LabelTest, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(SampleReuseRows, LabelIncrementFrom) {
    const SampleCase& c = GetParam();
    TChartAxis& axis = chart.LeftAxis();
    Prepare(axis, 40, 80, 0, TRect{180, 21, 964, 421});
    const TLabelSample sample = MeasureLabelSample(axis, chart.AxisPaintOf(axis), canvas);
    ASSERT_GT(sample.Size, 0);
    if (c.change) c.change(axis);
    testing::steps::PrepareAxisRange(chart, axis);
    // A shorter axis fits fewer labels: the increment of the moment, from the same samples.
    testing::steps::MapAxis(chart, axis, TRect{180, 21, 964, 141});

    canvas.ClearCalls();
    const TLabelIncrement fromSample =
        LabelIncrementFrom(axis, chart.AxisPaintOf(axis), canvas, sample);
    const bool measured = !canvas.CallsOf("TextExtent").empty();
    EXPECT_EQ(measured, !c.reused);
    EXPECT_EQ(fromSample.Sample == sample, c.reused);
    TRecordingCanvas fresh;
    EXPECT_EQ(fromSample.Increment, ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), fresh));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SampleReuseRows,
    ::testing::Values(
        SampleCase{"SameRangeAndSettings", nullptr, true},
        SampleCase{"WidenedRange", [](TChartAxis& a) { a.SetMinMax(-1000, 80); }, false},
        SampleCase{"LargerLabelsFont", [](TChartAxis& a) { a.LabelsFont().SetSizeFloat(20); },
                   false},
        SampleCase{"OtherFormat", [](TChartAxis& a) { a.SetAxisValuesFormat("0.000"); }, false},
        SampleCase{"SetIncrement", [](TChartAxis& a) { a.SetIncrement(5); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, AnUnmeasuredSampleIsMeasured) {
    TChartAxis& axis = chart.LeftAxis();
    Prepare(axis, 40, 80, 0, TRect{180, 21, 964, 421});
    const TLabelIncrement first = LabelIncrementFrom(axis, chart.AxisPaintOf(axis), canvas, {});
    EXPECT_EQ(first.Sample, MeasureLabelSample(axis, chart.AxisPaintOf(axis), canvas));
    EXPECT_EQ(first.Increment, ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), canvas));
}

TEST_F(LabelTest, IndexedPointsKeepWholeSteps) {
    TChartAxis& axis = chart.BottomAxis();
    Prepare(axis, 0, 4, 0, TRect{180, 21, 964, 421});
    // "0.5" is the widest sample: 18 + 2 pixels, so 39 labels fit and 4 / 40 climbs to 0.2.
    EXPECT_DOUBLE_EQ(ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), canvas), 0.2);

    for (int i = 0; i < 5; ++i)
        series.AddValue(i);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_EQ(ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), canvas), 1);
    series.SetActive(false);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_DOUBLE_EQ(ComputeLabelIncrement(axis, chart.AxisPaintOf(axis), canvas), 0.2);
}

TEST_F(LabelTest, DateTimeIncrementIsAtLeastAMillionthOfTheRange) {
    TChartAxis& axis = chart.BottomAxis();
    series.XValues().SetDateTime(true);
    Prepare(axis, 0, 2000000, 0, TRect{180, 21, 964, 421});
    EXPECT_EQ(IncrementForCount(axis, chart.AxisPaintOf(axis), 1000000), 2);
    EXPECT_EQ(IncrementForCount(axis, chart.AxisPaintOf(axis), 0),
              DateTimeStepTable[dtOneMicrosecond]);
    // Beyond a year the step doubles.
    EXPECT_EQ(IncrementForCount(axis, chart.AxisPaintOf(axis), 4), 365 * 2048);
}

TEST_F(LabelTest, DateTimeIncrementBelowASecondClimbsTheNumericLadder) {
    TChartAxis& axis = chart.BottomAxis();
    series.XValues().SetDateTime(true);
    Prepare(axis, 45505, 45505 + 10.0 / 86400, 0, TRect{180, 21, 964, 421});
    // Ten seconds: from a millionth of the range up the 1-2-5 ladder to 5e-6 days for 40
    // labels; for 5 labels the ladder passes one second (1/86400) and the table takes over.
    EXPECT_NEAR(IncrementForCount(axis, chart.AxisPaintOf(axis), 40), 5e-6, 1e-18);
    EXPECT_DOUBLE_EQ(IncrementForCount(axis, chart.AxisPaintOf(axis), 5), 5.0 / 86400);
}

TEST_F(LabelTest, NumericFloorIsTheSmallestDouble) {
    TChartAxis& axis = chart.LeftAxis();
    Prepare(axis, 0, 100, 10, TRect{180, 21, 964, 421});
    EXPECT_EQ(IncrementForCount(axis, chart.AxisPaintOf(axis), -3),
              std::numeric_limits<double>::denorm_min());
}

TEST_F(LabelTest, LabelsThatFit) {
    TChartAxis& axis = chart.LeftAxis();
    Prepare(axis, 0, 100, 10, TRect{180, 21, 964, 421});
    EXPECT_EQ(LabelsThatFit(axis, chart.AxisPaintOf(axis), 16), 22);  // 400 / (16 + 2)
    EXPECT_EQ(LabelsThatFit(axis, chart.AxisPaintOf(axis), 0), 1);
    axis.Labels().SetSeparation(0);
    EXPECT_EQ(LabelsThatFit(axis, chart.AxisPaintOf(axis), 16), 25);
    axis.Labels().SetSeparation(50);
    EXPECT_EQ(LabelsThatFit(axis, chart.AxisPaintOf(axis), 16), 17);  // 400 / 24 = 16.67
    testing::steps::MapAxis(chart, axis, TRect{180, 21, 964, 21});
    EXPECT_EQ(LabelsThatFit(axis, chart.AxisPaintOf(axis), 16), 1);
}

TEST_F(LabelTest, NegativeSeparationIsRefused) {
    TAxisLabels& labels = chart.LeftAxis().Labels();
    EXPECT_THROW_MSG(labels.SetSeparation(-1), AxisException,
                     "Labels Separation % must be greater than 0");
    EXPECT_EQ(labels.Separation(), 10);
    EXPECT_EQ(RepaintsDuring([&] { labels.SetSeparation(0); }), 1);
}

TEST_F(LabelTest, LabelSizeAlongTheAxis) {
    TChartAxis& left = chart.LeftAxis();
    Prepare(left, 0, 100, 10, TRect{180, 21, 964, 421});
    canvas.SetFont(left.LabelsFont());  // 8 points: 6 pixels a character, 12 high
    EXPECT_EQ(LabelSizeAlongAxis(left, chart.AxisPaintOf(left), canvas, 1234.5), 12);
    left.Labels().SetAngle(90);
    EXPECT_EQ(LabelSizeAlongAxis(left, chart.AxisPaintOf(left), canvas, 1234.5), 42);  // "1,234.5"

    TChartAxis& bottom = chart.BottomAxis();
    Prepare(bottom, 0, 100, 10, TRect{180, 21, 964, 421});
    EXPECT_EQ(LabelSizeAlongAxis(bottom, chart.AxisPaintOf(bottom), canvas, 1234.5), 42);
    bottom.Labels().SetAngle(270);
    EXPECT_EQ(LabelSizeAlongAxis(bottom, chart.AxisPaintOf(bottom), canvas, 1234.5), 12);
}

TEST_F(LabelTest, MultiLineDateLabelsStackAlongAVerticalAxis) {
    TChartAxis& left = chart.LeftAxis();
    series.YValues().SetDateTime(true);
    left.SetDateTimeFormat("d mmm");
    Prepare(left, 45505, 45565, 10, TRect{180, 21, 964, 421});
    canvas.SetFont(left.LabelsFont());
    EXPECT_EQ(LabelText(left, chart.AxisPaintOf(left), 45510), "6 Aug");
    EXPECT_EQ(LabelSizeAlongAxis(left, chart.AxisPaintOf(left), canvas, 45510), 12);
    left.Labels().SetMultiLine(true);
    EXPECT_EQ(LabelText(left, chart.AxisPaintOf(left), 45510), "6\rAug");
    EXPECT_EQ(LabelSizeAlongAxis(left, chart.AxisPaintOf(left), canvas, 45510), 24);
}

struct TextCase {
    const char* name;
    bool dateTime;
    double minimum, maximum;
    const char* format;  // AxisValuesFormat or DateTimeFormat; null keeps the default
    double value;
    const char* text;
};

class TextRows : public LabelTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextRows, LabelText) {
    const TextCase& c = GetParam();
    TChartAxis& axis = chart.BottomAxis();
    series.XValues().SetDateTime(c.dateTime);
    if (c.format) {
        if (c.dateTime) {
            axis.SetDateTimeFormat(c.format);
        } else {
            axis.SetAxisValuesFormat(c.format);
        }
    }
    Prepare(axis, c.minimum, c.maximum, 0, TRect{180, 21, 964, 421});
    EXPECT_EQ(LabelText(axis, chart.AxisPaintOf(axis), c.value), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextRows,
    ::testing::Values(TextCase("ThousandsSeparated", false, 0, 2000, nullptr, 1234.5, "1,234.5"),
                      TextCase("WholeNumberHasNoDecimals", false, 0, 100, nullptr, 40, "40"),
                      TextCase("AtMostThreeDecimals", false, -20, 40, nullptr, -17.777777777777779,
                               "-17.778"),
                      TextCase("TinyValueIsZero", false, 0, 1, nullptr, 0.00004, "0"),
                      TextCase("OwnNumberFormat", false, 0, 10, "0.00", 5, "5.00"),
                      TextCase("ShortDateOverMoreThanADay", true, 45505, 45565, nullptr,
                               45505.60522789352, "8/1/2024"),
                      TextCase("ShortTimeOverADayOrLess", true, 45505, 45506, nullptr,
                               45505.60522789352, "2:31 PM"),
                      TextCase("OwnDateFormat", true, 45505, 45506, "yyyy-mm-dd hh:nn",
                               45505.60522789352, "2024-08-01 14:31")),
    [](const auto& info) { return std::string(info.param.name); });

// The chart tells its axes what their series tell them once per paint; these read it then.
TEST_F(LabelTest, LabelStyleInUse) {
    TChartAxis& bottom = chart.BottomAxis();
    TChartAxis& left = chart.LeftAxis();
    testing::steps::GatherBoundSeries(chart);
    EXPECT_EQ(LabelStyleInUse(bottom, chart.AxisPaintOf(bottom)), talValue);
    EXPECT_EQ(LabelStyleInUse(chart.TopAxis(), chart.AxisPaintOf(chart.TopAxis())),
              talNone);  // no series bound to it

    // Point texts label the axis of the X values only.
    series.AddPoint(1, 2, "first");
    testing::steps::GatherBoundSeries(chart);
    EXPECT_EQ(LabelStyleInUse(bottom, chart.AxisPaintOf(bottom)), talText);
    EXPECT_EQ(LabelStyleInUse(left, chart.AxisPaintOf(left)), talValue);

    series.SetActive(false);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_EQ(LabelStyleInUse(bottom, chart.AxisPaintOf(bottom)), talNone);
    bottom.Labels().SetStyle(talMark);
    EXPECT_EQ(LabelStyleInUse(bottom, chart.AxisPaintOf(bottom)), talMark);
}

TEST_F(LabelTest, DateTimeAxisFollowsTheValuesLyingOnIt) {
    TChartAxis& bottom = chart.BottomAxis();
    TChartAxis& left = chart.LeftAxis();
    series.XValues().SetDateTime(true);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_TRUE(chart.AxisPaintOf(bottom).DateTime());
    EXPECT_FALSE(chart.AxisPaintOf(left).DateTime());

    series.YValues().SetDateTime(true);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_TRUE(chart.AxisPaintOf(left).DateTime());

    series.SetActive(false);
    testing::steps::GatherBoundSeries(chart);
    EXPECT_FALSE(chart.AxisPaintOf(bottom).DateTime());
}

// Automatic ends round to the label step, measured on the chart's canvas when it has one.
class LabelStepTest : public LabelTest {
protected:
    LabelStepTest() {
        series.AddPoint(0, 3);
        series.AddPoint(1, 97);
        axis.SetMinimumRound(true);
        axis.SetMaximumRound(true);
        testing::steps::MapAxis(chart, axis, TRect{180, 21, 964, 151});  // 130 pixels: 10 labels of 12 + 1
    }
    ~LabelStepTest() override { UnregisterCanvasClass("TRecordingCanvas"); }

    TChartAxis& axis = chart.LeftAxis();
};

TEST_F(LabelStepTest, MeasuredOnTheChartsCanvas) {
    RegisterCanvasClass("TRecordingCanvas", [] { return std::make_unique<TRecordingCanvas>(); });
    chart.SetDefaultCanvas("TRecordingCanvas");
    ASSERT_NE(chart.Canvas(), nullptr);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Minimum(), 0);
    EXPECT_EQ(chart.ScaleMapOf(axis).Maximum(), 100);
    EXPECT_EQ(chart.ScaleMapOf(axis).Span(), 100);
}

TEST_F(LabelStepTest, WithoutACanvasTheSetIncrementStands) {
    ASSERT_EQ(chart.Canvas(), nullptr);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Minimum(), 3);
    EXPECT_EQ(chart.ScaleMapOf(axis).Maximum(), 97);

    axis.SetIncrement(25);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Minimum(), 0);
    EXPECT_EQ(chart.ScaleMapOf(axis).Maximum(), 100);
}

}  // namespace
}  // namespace twinscope
